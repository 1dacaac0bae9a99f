// ZafString: construction, persistence, logical events, the text flow
// between control and data, and the attributes. The Windows control (its
// creation, messages, pasting and drawing) is in ZafStringWin32.cpp, the
// validation framework in ZafStringValidation.cpp.
#include "zaf/controls/ZafString.h"

#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafWindowPersistence.h"
#include "zaf/data/ZafObjectPersistence.h"
#include "zaf/data/ZafPersistenceRegistry.h"
#include "zaf/data/ZafStringData.h"

#include <cstring>
#include <string>

namespace {

constexpr ZafUpdateType observedKinds = 3;
// The update kind that asks the field to take the control's text.
constexpr ZafUpdateType readControlKind = 1;

} // namespace

// --- Construction ----------------------------------------------------------------

ZafString::ZafString(int left, int top, int width, const char *text, int maxLength)
    : ZafWindowObject(left, top, width, 1)
{
    Construct(new ZafStringData(text ? text : "", maxLength));
}

ZafString::ZafString(int left, int top, int width, ZafStringData *data) : ZafWindowObject(left, top, width, 1)
{
    Construct(data);
}

void ZafString::Construct(ZafStringData *data)
{
    SetFlagTo(flagBordered, true);
    userCallback = ValidateCallback;
    SetStringData(data);
}

namespace {

// A destroyable data object is copied, a shared one shared.
template <class Data> Data *CopyOrShare(Data *data)
{
    if (!data)
        return nullptr;
    return data->Destroyable() ? static_cast<Data *>(data->Duplicate()) : data;
}

} // namespace

ZafString::ZafString(const ZafString &copy)
    : ZafWindowObject(copy), allowInvalid(copy.allowInvalid), selectAllOnFocus(copy.selectAllOnFocus),
      invalid(copy.invalid), unanswered(copy.unanswered), lowerCase(copy.lowerCase), password(copy.password),
      reportErrors(copy.reportErrors), upperCase(copy.upperCase), noBlanks(copy.noBlanks), readOnly(copy.readOnly),
      hzJustify(copy.hzJustify)
{
    inputFormat = CopyOrShare(copy.inputFormat);
    outputFormat = CopyOrShare(copy.outputFormat);
    range = CopyOrShare(copy.range);
    SetStringData(CopyOrShare(copy.stringData));
}

ZafString::~ZafString()
{
    if (deletedFlag)
        *deletedFlag = true;
    // The control goes first: its last messages must not reach a field
    // without data.
    DestroyOSWindow();
    if (stringData)
        stringData->SubtractNotification(this, DataChanged);
    DropData(stringData, nullptr);
    DropData(inputFormat, nullptr);
    DropData(outputFormat, nullptr);
    DropData(range, nullptr);
}

bool ZafString::IsClassID(ZafClassID id) const
{
    return id == classID || ZafWindowObject::IsClassID(id);
}

bool ZafString::IsClassName(const char *name) const
{
    return (name && std::strcmp(name, className) == 0) || ZafWindowObject::IsClassName(name);
}

void ZafString::DropData(ZafData *data, int (*observer)(ZafElement *, std::uint32_t))
{
    if (!data)
        return;
    if (observer)
        data->SubtractNotification(this, observer);
    if (data->Destroyable() && data->NotificationCount() == 0)
        delete data;
}

// --- Persistence -------------------------------------------------------------------

ZafString::ZafString(const char *name, ZafWindowPersistence &persistence)
    : ZafWindowObject(name, persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry))
{
    userCallback = ValidateCallback;
    if (persistence.Error() == 0)
        ReadFields(persistence);
    if (!stringData)
        SetStringData(nullptr);
    persistence.PopLevel();
    if (persistence.Error() != 0)
        SetError(static_cast<int>(persistence.Error()));
}

ZafElement *ZafString::New(const char *name, ZafWindowPersistence &persistence)
{
    return new ZafString(name, persistence);
}

void ZafString::RegisterPersistence()
{
    ZafPersistenceRegistry::RegisterNew(className, ZafObjectNew<New>);
}

ZafDataPersistence *ZafString::DataPersistence(ZafWindowPersistence &persistence)
{
    return dynamic_cast<ZafDataPersistence *>(&persistence);
}

ZafStringData *ZafString::ReadStringData(ZafWindowPersistence &persistence, const char *name)
{
    ZafDataPersistence *data = DataPersistence(persistence);
    if (!data || !name || !*name)
        return nullptr;
    auto *read = new ZafStringData(name, *data);
    if (read->Error() != 0 || data->Error() != 0) {
        delete read;
        return nullptr;
    }
    return read;
}

void ZafString::WriteData(ZafWindowPersistence &persistence, ZafData *data)
{
    ZafDataPersistence *dataPersistence = DataPersistence(persistence);
    if (data && dataPersistence && persistence.Error() == 0)
        data->Write(*dataPersistence);
}

namespace {

// The name a data object is stored under; one is made for an unnamed one.
const char *StoredName(ZafData *data)
{
    if (!data)
        return "";
    if (!data->StringID())
        data->SetStringID(ZafData::MakeDefaultName());
    return data->StringID();
}

} // namespace

void ZafString::ReadFields(ZafWindowPersistence &persistence)
{
    std::uint16_t flags = 0;
    std::uint16_t justification = 0;
    persistence.Read16(flags);
    persistence.Read16(justification);
    // Every name is read before any data object: reading one opens a file
    // of its own.
    char names[4][ZafWindowPersistence::maxNameLength + 1] = {};
    for (auto &name : names)
        persistence.ReadStringInto(name, sizeof name);
    if (persistence.Error() != 0)
        return;
    selectAllOnFocus = flags & storedSelectAllOnFocus;
    invalid = flags & storedInvalid;
    unanswered = flags & storedUnanswered;
    lowerCase = flags & storedLowerCase;
    password = flags & storedPassword;
    upperCase = flags & storedUpperCase;
    noBlanks = flags & storedNoBlanks;
    readOnly = flags & storedReadOnly;
    allowInvalid = flags & storedAllowInvalid;
    reportErrors = flags & storedReportErrors;
    hzJustify = justification & 0x0F;
    if (hzJustify > justifyCenter)
        hzJustify = justifyLeft;

    SetStringData(ReadStringData(persistence, names[0]));
    ZafStringData *input = ReadStringData(persistence, names[1]);
    ZafStringData *output = ReadStringData(persistence, names[2]);
    if (output)
        SetOutputFormat(output->Text());
    if (input)
        SetInputFormat(input->Text());
    delete input;
    delete output;
    SetRangeData(ReadStringData(persistence, names[3]));
}

void ZafString::Write(ZafWindowPersistence &persistence)
{
    persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry);
    ZafWindowObject::Write(persistence);
    if (persistence.Error() == 0) {
        std::uint16_t flags = 0;
        const std::pair<bool, StoredFlag> bits[] = {{selectAllOnFocus, storedSelectAllOnFocus},
                                                    {invalid, storedInvalid},
                                                    {unanswered, storedUnanswered},
                                                    {lowerCase, storedLowerCase},
                                                    {password, storedPassword},
                                                    {upperCase, storedUpperCase},
                                                    {noBlanks, storedNoBlanks},
                                                    {readOnly, storedReadOnly},
                                                    {allowInvalid, storedAllowInvalid},
                                                    {reportErrors, storedReportErrors}};
        for (const auto &bit : bits)
            if (bit.first)
                flags |= bit.second;
        // What the user typed so far lives only in the control: it is taken
        // into the data first, or the stored field would lose it.
        GetTextFromControl();
        persistence.Write16(flags);
        persistence.Write16(static_cast<std::uint16_t>(hzJustify & 0x0F));
        ZafData *objects[] = {stringData, inputFormat, outputFormat, range};
        for (ZafData *data : objects)
            persistence.WriteString(StoredName(data));
        for (ZafData *data : objects)
            WriteData(persistence, data);
    }
    persistence.PopLevel();
    if (persistence.Error() != 0)
        SetError(static_cast<int>(persistence.Error()));
}

// --- Events ------------------------------------------------------------------------

const ZafEventMap ZafString::eventMap[] = {
    {keyDeleteBack, ZAF_KEY_EVENT, VK_BACK, ZAF_KEY_PRESS},
    {keyLineStart, ZAF_KEY_EVENT, VK_HOME, ZAF_KEY_PRESS},
    {keyLineStart, ZAF_KEY_EVENT, VK_PRIOR, ZAF_KEY_PRESS},
    {keyCopy, ZAF_KEY_EVENT, VK_INSERT, ZAF_KEY_PRESS + ZAF_KEY_CTRL},
    {keyCut, ZAF_KEY_EVENT, VK_DELETE, ZAF_KEY_PRESS + ZAF_KEY_SHIFT},
    {keyDelete, ZAF_KEY_EVENT, VK_DELETE, ZAF_KEY_PRESS},
    {keyLineEnd, ZAF_KEY_EVENT, VK_END, ZAF_KEY_PRESS},
    {keyLineEnd, ZAF_KEY_EVENT, VK_NEXT, ZAF_KEY_PRESS},
    {keyPaste, ZAF_KEY_EVENT, VK_INSERT, ZAF_KEY_PRESS + ZAF_KEY_SHIFT},
    {ZAF_SELECT, ZAF_KEY_EVENT, VK_RETURN, ZAF_KEY_PRESS},
    {ZAF_NO_MAPPING, 0, 0, 0},
};

ZafEventType ZafString::Event(const ZafEventRecord &event)
{
    ZafEventType code = event.type;
    if (code == ZAF_KEY_EVENT) {
        // Only Enter means something to the field itself; editing keys are
        // the control's and navigation keys the window's.
        code = MapEvent(event);
        if (code != ZAF_SELECT)
            return ZAF_UNKNOWN;
    }
    switch (code) {
    case ZAF_OS_EVENT:
        return HandleOSMessage(event);
    case ZAF_CURRENT: {
        const ZafEventType result = ZafWindowObject::Event(event);
        if (selectAllOnFocus && HasOwnControl()) {
            SendMessageA(osWindow, EM_SETSEL, 0, -1);
            SendMessageA(osWindow, EM_SCROLLCARET, 0, 0);
        }
        return result;
    }
    case ZAF_SELECT:
    case ZAF_FOCUS_CHANGE: {
        // A message shown by a validation takes the focus from the field:
        // that focus change (or a second Enter) must not validate again.
        if (validating)
            return resultValueKept;
        validating = true;
        bool deleted = false;
        const ZafEventType result = SelectOrLeave(event, code, deleted);
        if (!deleted)
            validating = false;
        return result;
    }
    case ZAF_NOT_CURRENT:
        GetTextFromControl();
        return ZafWindowObject::Event(event);
    case ZAF_READ_CONTROL:
        GetTextFromControl();
        return code;
    case ZAF_SHOW_VALUE:
        RefreshListEntry();
        return code;
    case ZAF_TAKE_VALUE: {
        ZafWindowObject *other = event.Object();
        if (!other)
            SetStringData(static_cast<ZafStringData *>(stringData->Duplicate()));
        else if (auto *field = dynamic_cast<ZafString *>(other))
            SetStringData(field->StringData());
        return code;
    }
    case ZAF_COPY_VALUE:
        if (auto *field = dynamic_cast<ZafString *>(event.Object()))
            if (field != this && field->StringData())
                stringData->SetStringData(*field->StringData());
        return code;
    case ZAF_CUT:
    case ZAF_COPY:
    case ZAF_PASTE:
        if (HasOwnControl())
            SendMessageA(osWindow, code == ZAF_CUT ? WM_CUT : code == ZAF_COPY ? WM_COPY : WM_PASTE, 0, 0);
        return code;
    case ZAF_REGION_CHANGED:
        if (!HasOwnControl())
            RedisplayEdgeStrips(event);
        return ZafWindowObject::Event(event);
    case ZAF_FOCUS_QUERY:
        if (!invalid)
            return ZAF_FOCUS_MAY_LEAVE;
        return !allowInvalid || rangeCheckPending ? ZAF_REFUSED : ZAF_FOCUS_MAY_LEAVE_INVALID;
    default:
        return ZafWindowObject::Event(event);
    }
}

void ZafString::RedisplayEdgeStrips(const ZafEventRecord &event)
{
    // A field that draws itself repaints the 2-pixel strips along the right
    // and bottom edges of its previous area (the event's region, when it
    // carries one) and of its new one, where its border was and now is.
    ZafRegionRect now = region;
    ConvertRegion(now, ZAF_PIXEL);
    const ZafRegionRect &before = event.region;
    const bool hasBefore = before.coordinateType == ZAF_PIXEL && !before.IsEmpty() &&
                           (before.left | before.top | before.right | before.bottom) != 0;
    const ZafRegionRect areas[] = {hasBefore ? before : now, now};
    for (const ZafRegionRect &area : areas) {
        const int width = area.Width();
        const int height = area.Height();
        const ZafRegionRect strips[] = {ZafRegionRect(width - 2, 0, width - 1, height - 1),
                                        ZafRegionRect(0, height - 2, width - 1, height - 1)};
        for (const ZafRegionRect &strip : strips) {
            ZafEventRecord redisplay(ZAF_REDISPLAY_AREA);
            redisplay.region = strip;
            ZafWindowObject::Event(redisplay);
        }
    }
}

ZafString::DeletionWatch::DeletionWatch(ZafString &field) : field(field), outer(field.deletedFlag)
{
    field.deletedFlag = &deleted;
}

ZafString::DeletionWatch::~DeletionWatch()
{
    if (!deleted)
        field.deletedFlag = outer;
    else if (outer)
        *outer = true;
}

ZafEventType ZafString::SelectOrLeave(const ZafEventRecord &event, ZafEventType code, bool &deleted)
{
    const std::string old = stringData->Text() ? stringData->Text() : "";
    GetTextFromControl();
    if (old != (stringData->Text() ? stringData->Text() : ""))
        SetChanged(true);
    ZafEventRecord selection = event;
    selection.type = code;
    DeletionWatch watch(*this);
    // The dispatcher runs the user function, which may delete the field.
    const ZafEventType result = ZafWindowObject::Event(selection);
    deleted = watch.deleted;
    if (deleted)
        return result;
    unanswered = stringData->Length() == 0;
    invalid = result == resultValueKept;
    return result;
}

bool ZafString::IsLeaving(const ZafEventRecord &event)
{
    if (event.type != ZAF_FOCUS_CHANGE)
        return false;
    ZafWindowObject *taker = event.Object();
    return !taker || taker->TopLevelObject() != TopLevelObject();
}

// --- Data --------------------------------------------------------------------------

const char *ZafString::Text()
{
    GetTextFromControl();
    return stringData->Text();
}

int ZafString::SetText(const char *text)
{
    stringData->SetText(text ? text : "");
    unanswered = !text || !*text;
    return 0;
}

int ZafString::SetStringData(ZafStringData *data)
{
    if (!data)
        data = new ZafStringData();
    if (data != stringData) {
        ZafStringData *old = stringData;
        stringData = data;
        DropData(old, DataChanged);
        stringData->AddNotification(this, DataChanged, observedKinds);
    }
    RefreshListEntry();
    return 0;
}

void ZafString::QuietStringData(bool quiet)
{
    stringData->SetNotificationData(this, quiet ? 0 : observedKinds);
}

int ZafString::GetTextFromControl()
{
    if (!HasOwnControl())
        return 0;
    const int length = GetWindowTextLengthA(osWindow);
    std::string text(static_cast<std::size_t>(length < 0 ? 0 : length) + 1, '\0');
    GetWindowTextA(osWindow, &text[0], static_cast<int>(text.size()));
    QuietStringData(true);
    if (zafCodeSetConversion)
        stringData->SetOSText(text.c_str());
    else
        stringData->SetText(text.c_str());
    QuietStringData(false);
    return 0;
}

char *ZafString::DuplicateText()
{
    return stringData->DuplicateText();
}

int ZafString::DataChanged(ZafElement *observer, std::uint32_t kinds)
{
    auto *field = dynamic_cast<ZafString *>(observer);
    if (!field)
        return 1;
    int result = 1;
    if (kinds & ZafNotification::valueChanged) {
        field->RefreshListEntry();
        result = 0;
    }
    if (kinds & readControlKind)
        result = field->GetTextFromControl();
    return result;
}

// --- Attributes --------------------------------------------------------------------

int ZafString::SetHzJustify(int justify)
{
    // Only 0-2 name a justification; another value would reach the control
    // styles and the drawing as a meaningless number.
    if (justify < justifyLeft || justify > justifyCenter)
        return hzJustify;
    return SetUnlessCreated(hzJustify, justify);
}

bool ZafString::SetLowerCase(bool flag)
{
    if (!osWindow && flag)
        upperCase = false;
    return SetUnlessCreated(lowerCase, flag);
}

bool ZafString::SetUpperCase(bool flag)
{
    if (!osWindow && flag)
        lowerCase = false;
    return SetUnlessCreated(upperCase, flag);
}

bool ZafString::SetPassword(bool flag)
{
    return SetUnlessCreated(password, flag);
}

bool ZafString::SetReadOnly(bool flag)
{
    return SetUnlessCreated(readOnly, flag);
}

bool ZafString::SetNoBlanks(bool flag)
{
    return SetUnlessCreated(noBlanks, flag);
}

bool ZafString::SetUnanswered(bool flag)
{
    unanswered = flag;
    if (flag)
        stringData->Clear();
    return unanswered;
}

int ZafString::SetCursorPosition(int position)
{
    if (!HasOwnControl())
        return 8;
    SendMessageA(osWindow, EM_SETSEL, static_cast<WPARAM>(position), position);
    SendMessageA(osWindow, EM_SCROLLCARET, 0, 0);
    return 0;
}

const char *ZafString::InputFormatText() const
{
    return inputFormat ? inputFormat->Text() : nullptr;
}

const char *ZafString::OutputFormatText() const
{
    return outputFormat ? outputFormat->Text() : nullptr;
}

int ZafString::SetInputFormatData(ZafStringData *data)
{
    if (osWindow)
        return 1;
    if (data != inputFormat)
        DropData(inputFormat, nullptr);
    inputFormat = data;
    return 0;
}

int ZafString::SetOutputFormatData(ZafStringData *data)
{
    if (osWindow)
        return 1;
    if (data != outputFormat)
        DropData(outputFormat, nullptr);
    outputFormat = data;
    return 0;
}

int ZafString::SetRangeData(ZafStringData *data)
{
    if (data != range)
        DropData(range, nullptr);
    range = data;
    return 0;
}

int ZafString::SetRange(const char *text)
{
    return SetRangeData(text ? new ZafStringData(text) : nullptr);
}

int ZafString::SetInputFormat(const char *text)
{
    if (osWindow)
        return 1;
    std::string formats = text ? text : "";
    // The output format always leads the list: it is the form the field
    // shows, so the field must read it back.
    if (const char *output = OutputFormatText()) {
        const std::string line = output;
        std::size_t found = std::string::npos;
        for (std::size_t at = formats.find(line); at != std::string::npos; at = formats.find(line, at + 1)) {
            const bool starts = at == 0 || formats[at - 1] == '\n';
            const std::size_t after = at + line.size();
            if (starts && (after == formats.size() || formats[after] == '\n')) {
                found = at;
                break;
            }
        }
        if (found == std::string::npos) {
            formats = formats.empty() ? line : line + "\n" + formats;
        } else if (found != 0) {
            std::size_t end = found + line.size();
            formats.erase(found - 1, end - found + 1);
            formats = line + "\n" + formats;
        }
    }
    if (inputFormat)
        inputFormat->SetText(formats.c_str());
    else
        inputFormat = new ZafStringData(formats.c_str());
    return 0;
}

int ZafString::SetOutputFormat(const char *text)
{
    if (osWindow)
        return 1;
    if (outputFormat)
        outputFormat->SetText(text ? text : "");
    else
        SetOutputFormatData(new ZafStringData(text ? text : ""));
    const std::string input = InputFormatText() ? InputFormatText() : "";
    return SetInputFormat(input.empty() ? OutputFormatText() : input.c_str());
}
