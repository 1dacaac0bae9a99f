// The event types and logical event codes of the class library, in one place.
//
// An event record's type says what it is: 1 a Windows message, 10 key input,
// 30 mouse input, negative values logical codes (requests between objects
// and the answers of event handlers), and positive values from 1001 the
// logical codes that input maps to (selection, navigation). Event handlers
// answer a logical code: usually the code they handled, ZAF_UNKNOWN (-2)
// when they did not handle it, ZAF_REFUSED (-1) when they refused it.
//
// A few numbers appear twice with different roles (1003 is a left press and
// the Space key's "begin select"; 1012 a double click in a list and a
// graph's double press): the code is the same because the meaning is.
#pragma once

#include <cstdint>

using ZafEventType = std::int32_t;

// --- Event types and input categories --------------------------------------
constexpr ZafEventType ZAF_OS_EVENT = 1;     // carries a Windows message
constexpr ZafEventType ZAF_KEY_EVENT = 10;   // key input; also the key category and device type
constexpr ZafEventType ZAF_MOUSE_EVENT = 30; // mouse input; also the mouse category and device type
constexpr int ZAF_TIP_DEVICE = 71;           // device type of the tool-tip device
constexpr int ZAF_NO_CATEGORY = 0;           // GetCategory of every other event

// --- Key modifier word (key events) ----------------------------------------
constexpr std::uint32_t ZAF_KEY_PRESS = 512;    // key pressed
constexpr std::uint32_t ZAF_KEY_SHIFT = 3;      // added with Shift
constexpr std::uint32_t ZAF_KEY_CTRL = 4;       // added with Ctrl
constexpr std::uint32_t ZAF_KEY_ALT = 8;        // added with Alt
constexpr std::uint32_t ZAF_KEY_RELEASE = 1024; // key released
// Set in an event-map row's modifier word: the row matches a character
// (WM_CHAR, WM_SYSCHAR) instead of a virtual key; never set in an event.
constexpr std::uint32_t ZAF_KEY_CHARACTER = 2048;

// --- General answers -------------------------------------------------------
constexpr ZafEventType ZAF_REFUSED = -1;    // refused or not possible (e.g. the focus stays)
constexpr ZafEventType ZAF_UNKNOWN = -2;    // not handled; also: pass to the current child
constexpr ZafEventType ZAF_NO_WINDOWS = -3; // the window manager holds no window: the loop ends

// --- Frame commands (system menu, frame buttons) ---------------------------
constexpr ZafEventType ZAF_MINIMIZE = -4;
constexpr ZafEventType ZAF_MAXIMIZE = -5;
constexpr ZafEventType ZAF_CLOSE = -11; // close a window (the manager skips temporary ones)
constexpr ZafEventType ZAF_RESTORE = -25;
constexpr ZafEventType ZAF_MOVE = -35;
constexpr ZafEventType ZAF_SIZE = -36;
// Values a title or a frame button accepts; nothing sends them.
constexpr ZafEventType ZAF_FRAME_VALUE_502 = -502;
constexpr ZafEventType ZAF_FRAME_VALUE_503 = -503;
constexpr ZafEventType ZAF_FRAME_VALUE_504 = -504;

// --- Life of an object's Windows window ------------------------------------
constexpr ZafEventType ZAF_RESOLVE_REFERENCES = -9; // after reading: bind references by id
constexpr ZafEventType ZAF_CREATE = -10;            // create the object (and its Windows window)
constexpr ZafEventType ZAF_DEINITIALIZE = -20;      // the Windows window goes: forget borrowed handles
constexpr ZafEventType ZAF_CREATE_OS_WINDOW = -26;  // create the Windows window
constexpr ZafEventType ZAF_DESTROY_OS_WINDOW = -27; // destroy the Windows window

// --- Focus and current object ----------------------------------------------
constexpr ZafEventType ZAF_NOT_CURRENT = -13;             // focus lost: clears the current flag
constexpr ZafEventType ZAF_CURRENT = -204;                // focus gained: become current
constexpr ZafEventType ZAF_FOCUS_QUERY = -37;             // may the focus leave?
constexpr ZafEventType ZAF_FOCUS_MAY_LEAVE = -38;         // answer: yes, the value is valid
constexpr ZafEventType ZAF_FOCUS_MAY_LEAVE_INVALID = -49; // answer: yes, invalid but allowed
constexpr ZafEventType ZAF_FOCUS_CHANGE = -3503;          // the focus leaves (also runs the dispatcher)
constexpr ZafEventType ZAF_TIP_CURRENT = -3502;           // tip: the object became current
constexpr ZafEventType ZAF_TIP_TEXT = -3301;              // to the tool-tip device: show this tip
constexpr ZafEventType ZAF_HOT_KEY = -120;                // a hot key was pressed (event carries the character)
constexpr ZafEventType ZAF_DEFAULT_BUTTON_CHANGED = -220;

// --- Drawing ---------------------------------------------------------------
constexpr ZafEventType ZAF_REDISPLAY_CHANGE = -16; // redraw after a change of state or data
constexpr ZafEventType ZAF_REDISPLAY = -17;        // redraw the object
constexpr ZafEventType ZAF_REDISPLAY_AREA = -28;   // redraw (the event's region, or all)

// --- Geometry --------------------------------------------------------------
constexpr ZafEventType ZAF_NEW_REGION = -200;       // take the region the event carries
constexpr ZafEventType ZAF_APPLY_GEOMETRY = -201;   // apply geometry (constraints, sizes)
constexpr ZafEventType ZAF_REGION_CHANGED = -3504;  // region changed: lay the children out again
constexpr ZafEventType ZAF_REGION_CHANGING = -3505; // a windowless object's region moved (old area)

// --- Window manager and windows --------------------------------------------
constexpr ZafEventType ZAF_CLOSE_TEMPORARY = -18; // close the first temporary window
constexpr ZafEventType ZAF_EXIT = -32;            // end the program (PostQuitMessage)
constexpr ZafEventType ZAF_HELP = -34;
constexpr ZafEventType ZAF_ADD_OBJECT = -400;      // add the object the event carries
constexpr ZafEventType ZAF_SUBTRACT_OBJECT = -401; // subtract the object the event carries
constexpr ZafEventType ZAF_CLOSE_QUERY = -3500;    // may the window manager close you? (0 = yes)

// --- Clipboard -------------------------------------------------------------
constexpr ZafEventType ZAF_CUT = -29;
constexpr ZafEventType ZAF_PASTE = -30;
constexpr ZafEventType ZAF_COPY = -31;

// --- Scrolling. Scroll events carry a ZafScrollStruct in the region words;
// its step word (the record's last word) is the signed amount to move. ------
constexpr ZafEventType ZAF_SCROLL_VERTICAL = -300;     // move by the step (rows, records)
constexpr ZafEventType ZAF_SCROLL_HORIZONTAL = -301;   // move by the step (columns)
constexpr ZafEventType ZAF_SCROLL_SET_VERTICAL = -302; // show the carried position
constexpr ZafEventType ZAF_SCROLL_SET_HORIZONTAL = -303;
constexpr ZafEventType ZAF_SCROLL_304 = -304;               // accepted and ignored by tables
constexpr ZafEventType ZAF_SCROLL_TO_CURRENT = -305;        // bring the current field into view
constexpr ZafEventType ZAF_SCROLL_UPDATE_VERTICAL = -306;   // bring the vertical bar up to date
constexpr ZafEventType ZAF_SCROLL_UPDATE_HORIZONTAL = -307; // bring the horizontal bar up to date
constexpr ZafEventType ZAF_SCROLL_FIRST = -307;             // the range -307 .. -300
constexpr ZafEventType ZAF_SCROLL_LAST = -300;
constexpr ZafEventType ZAF_SCROLL_RECORDS = -3506; // vertical, by records
constexpr ZafEventType ZAF_SCROLL_COLUMNS = -3507; // horizontal, by columns

// --- Drag and drop (the range -412 .. -403) --------------------------------
constexpr ZafEventType ZAF_DRAG_FIRST = -412;
constexpr ZafEventType ZAF_DRAG_LAST = -403;
constexpr ZafEventType ZAF_DROP_QUERY = -412; // may this be dropped here? answers move or copy
constexpr ZafEventType ZAF_DROP_COPY = -406;
constexpr ZafEventType ZAF_DROP_MOVE = -405;

// --- Field values ----------------------------------------------------------
constexpr ZafEventType ZAF_COPY_VALUE = -420;   // copy the carried field's value
constexpr ZafEventType ZAF_TAKE_VALUE = -421;   // share the carried field's value object
constexpr ZafEventType ZAF_READ_CONTROL = -422; // take the text from the control, parse it
constexpr ZafEventType ZAF_SHOW_VALUE = -423;   // show the value again (refresh list entry)
constexpr ZafEventType ZAF_SHOW_VALUE_ALT = -3511;

// --- Mouse over an object, combo-box lists ---------------------------------
constexpr ZafEventType ZAF_MOUSE_ENTER = -3509;
constexpr ZafEventType ZAF_MOUSE_LEAVE = -3510;
constexpr ZafEventType ZAF_LIST_DROPPED = -3515; // a combo box's list opened
constexpr ZafEventType ZAF_LIST_CLOSED = -3516;  // a combo box's list closed

// --- Mouse images (sent to the mouse device) -------------------------------
constexpr ZafEventType ZAF_MOUSE_ARROW = -3200;
constexpr ZafEventType ZAF_MOUSE_TEXT_BEAM = -3201;
constexpr ZafEventType ZAF_MOUSE_CROSS = -3203;
constexpr ZafEventType ZAF_MOUSE_POSITION = -3215; // the library's positioning image
constexpr ZafEventType ZAF_MOUSE_SIDE_BY_SIDE = -3222;
constexpr ZafEventType ZAF_MOUSE_ONE_ABOVE = -3223;

// --- Dialog end codes ------------------------------------------------------
constexpr ZafEventType ZAF_DIALOG_OK = -2999;
constexpr ZafEventType ZAF_DIALOG_APPLY = -2998;
constexpr ZafEventType ZAF_DIALOG_DELETE = -2997;
constexpr ZafEventType ZAF_DIALOG_NO = -2994; // a question answered No
constexpr ZafEventType ZAF_DIALOG_CANCEL = -2993;

// --- Logical codes of input (event maps turn key and mouse input into these)
constexpr ZafEventType ZAF_MOUSE_MOVE = 1001;
constexpr ZafEventType ZAF_SELECT = 1002;           // selection: user functions act on it
constexpr ZafEventType ZAF_BEGIN_SELECT = 1003;     // left press; Space down
constexpr ZafEventType ZAF_CONTINUE_SELECT = 1004;  // move with the left button held
constexpr ZafEventType ZAF_END_SELECT = 1005;       // left release; Space up
constexpr ZafEventType ZAF_ALT_BEGIN_SELECT = 1006; // right press
constexpr ZafEventType ZAF_DOUBLE_SELECT = 1012;    // double click
constexpr ZafEventType ZAF_MOVE_UP = 1050;
constexpr ZafEventType ZAF_MOVE_DOWN = 1051;
constexpr ZafEventType ZAF_MOVE_LEFT = 1052;
constexpr ZafEventType ZAF_MOVE_RIGHT = 1053;
constexpr ZafEventType ZAF_PREVIOUS = 1054;    // Shift+Tab navigation
constexpr ZafEventType ZAF_NEXT = 1055;        // Tab navigation
constexpr ZafEventType ZAF_MOVE_TOP = 1056;    // Home
constexpr ZafEventType ZAF_MOVE_BOTTOM = 1057; // End
constexpr ZafEventType ZAF_PAGE_UP = 1058;
constexpr ZafEventType ZAF_PAGE_DOWN = 1059;
constexpr ZafEventType ZAF_NO_MAPPING = 9999; // an event map found no row; ends a map
