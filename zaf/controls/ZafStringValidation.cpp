// ZafString: the validation framework (ranges, messages, stepping) and the
// string versions of its type hooks.
#include "zaf/controls/ZafString.h"

#include "zaf/core/ZafErrorStub.h"
#include "zaf/data/ZafStringData.h"

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

ZafErrorStub *errorSystem = nullptr;

// One range entry with its parsed bounds (null: unbounded on that side).
struct RangeEntry
{
    std::string lowText;
    std::string highText;
    std::unique_ptr<ZafData> low;
    std::unique_ptr<ZafData> high;
};

} // namespace

ZafErrorStub *ZafString::SetErrorSystem(ZafErrorStub *system)
{
    ZafErrorStub *previous = errorSystem;
    errorSystem = system;
    return previous;
}

ZafErrorStub *ZafString::ErrorSystem()
{
    return errorSystem;
}

// --- The dispatcher ----------------------------------------------------------------

ZafEventType ZafString::ValidateCallback(ZafWindowObject *object, const ZafEventRecord &event, ZafEventType code)
{
    auto *field = dynamic_cast<ZafString *>(object);
    if (!field)
        return CallUserFunction(object, event, code);
    int error = field->selectionError;
    if (error == 0 && field->rangeCheckPending && (code == ZAF_SELECT || code == ZAF_FOCUS_CHANGE)) {
        const bool leaving = field->IsLeaving(event);
        error = field->Validate(field->reportErrors && !leaving);
        if (error != 0 && leaving)
            error = field->SetError(resultValueKept);
        // A value that passed, or that the user chose to keep, is settled:
        // with the check still pending the focus query would refuse to let
        // the focus leave a kept value for good.
        if (error == 0 || error == resultValueKept)
            field->rangeCheckPending = false;
    }
    // Only this validation's result holds the user function back: a stale
    // error word from an earlier check must not silence the field for good.
    if (error != 0)
        return error;
    return CallUserFunction(object, event, code);
}

// --- Ranges ------------------------------------------------------------------------

const char *ZafString::ParseRange(const char *text, std::string &low, std::string &high)
{
    low.clear();
    high.clear();
    if (!text)
        return nullptr;
    const char *end = std::strchr(text, '\n');
    std::string entry = end ? std::string(text, end) : std::string(text);
    if (!entry.empty() && entry.back() == '\r')
        entry.pop_back();
    const std::size_t dots = entry.find("..");
    if (dots == std::string::npos) {
        low = high = entry;
    } else {
        low = entry.substr(0, dots);
        const std::size_t after = entry.find_first_not_of('.', dots);
        high = after == std::string::npos ? std::string() : entry.substr(after);
    }
    if (low.size() > static_cast<std::size_t>(boundLength))
        low.resize(boundLength);
    if (high.size() > static_cast<std::size_t>(boundLength))
        high.resize(boundLength);
    return end ? end + 1 : nullptr;
}

namespace {

// The bound parsed with the output format; null for an empty or unreadable
// text (unbounded).
std::unique_ptr<ZafData> ParseBound(ZafString &field, const std::string &text, const char *format)
{
    if (text.empty())
        return nullptr;
    std::unique_ptr<ZafData> bound(field.DuplicateData());
    if (!bound || field.ParseData(bound.get(), text.c_str(), format) != 0)
        return nullptr;
    return bound;
}

std::vector<RangeEntry> ParseRanges(ZafString &field, const char *text)
{
    std::vector<RangeEntry> entries;
    for (const char *entry = text; entry && *entry;) {
        RangeEntry parsed;
        entry = ZafString::ParseRange(entry, parsed.lowText, parsed.highText);
        parsed.low = ParseBound(field, parsed.lowText, field.OutputFormatText());
        parsed.high = ParseBound(field, parsed.highText, field.OutputFormatText());
        entries.push_back(std::move(parsed));
    }
    return entries;
}

} // namespace

std::string ZafString::FillMessage(const char *format, const char *const *arguments, int count, std::size_t limit)
{
    std::string message;
    int next = 0;
    for (const char *c = format; c && *c && message.size() < limit; ++c) {
        if (c[0] == '%' && c[1] == '%') {
            message += '%';
            ++c;
        } else if (c[0] == '%' && c[1] == 's' && next < count) {
            message += arguments[next] ? arguments[next] : "";
            ++next;
            ++c;
        } else {
            message += *c;
        }
    }
    if (message.size() > limit)
        message.resize(limit);
    return message;
}

bool ZafString::ReportMessage(const char *format, unsigned flags, const char *second)
{
    if (!errorSystem || !format)
        return false;
    const std::size_t formatLength = std::strlen(format);
    std::string text = Text() ? Text() : "";
    const std::size_t room = formatLength < messageLength ? messageLength - formatLength : 0;
    if (text.size() > room)
        text.resize(room);
    const char *arguments[] = {text.c_str(), second};
    const std::string message = FillMessage(format, arguments, second ? 2 : 1, messageLength);
    messageShown = true;
    return errorSystem->ReportError(this, "", flags, "%s", message.c_str()) == ZAF_DIALOG_OK;
}

int ZafString::Validate(bool report)
{
    std::unique_ptr<char[]> text(DuplicateText());
    std::unique_ptr<ZafData> value(DuplicateData());
    int error = ParseData(value.get(), text.get(), InputFormatText());
    const char *rangeText = range ? range->Text() : nullptr;
    std::vector<RangeEntry> entries;
    if (error == 0 && rangeText && *rangeText) {
        entries = ParseRanges(*this, rangeText);
        error = entries.empty() ? 0 : resultOutOfRange;
    }

    // The range text of the message: the entries the value failed, each
    // bound in the output format, within rangeTextLength.
    std::string failed;
    for (const RangeEntry &entry : entries) {
        const bool belowLow = entry.low && CompareData(value.get(), entry.low.get()) < 0;
        const bool aboveHigh = entry.high && CompareData(value.get(), entry.high.get()) > 0;
        if (!belowLow && !aboveHigh) {
            error = 0;
            break;
        }
        if (!report || failed.size() >= rangeTextLength)
            continue;
        std::string shown;
        char bound[boundLength + 1];
        if (entry.low && FormatData(entry.low.get(), bound, boundLength, OutputFormatText()) >= 0)
            shown += bound;
        if (RangeSeparator())
            shown += RangeSeparator();
        if (entry.high && FormatData(entry.high.get(), bound, boundLength, OutputFormatText()) >= 0)
            shown += bound;
        if (!failed.empty())
            shown = ", " + shown;
        if (failed.size() + shown.size() > rangeTextLength)
            shown = ", ...";
        failed += shown;
    }

    if (error != 0 && report && errorSystem && !entries.empty()) {
        if (entries.size() == 1 && error == resultOutOfRange) {
            const RangeEntry &only = entries.front();
            char bound[boundLength + 1] = "";
            if (only.low && !only.high) {
                error = resultBelowMinimum;
                FormatData(only.low.get(), bound, boundLength, OutputFormatText());
                failed = bound;
            } else if (only.high && !only.low) {
                error = resultAboveMaximum;
                FormatData(only.high.get(), bound, boundLength, OutputFormatText());
                failed = bound;
            }
        }
        const unsigned flags = allowInvalid ? MB_ICONINFORMATION | MB_OKCANCEL : MB_ICONINFORMATION;
        // OK keeps the value only where it may be kept: without allowInvalid
        // the message's one button just acknowledges it.
        if (ReportMessage(ErrorMessage(error), flags, failed.c_str()) && allowInvalid)
            error = resultValueKept;
    } else if (error != 0) {
        ShowValue();
    }
    return SetError(error);
}

// --- Stepping ----------------------------------------------------------------------

int ZafString::Decrement(ZafData *step, bool wrap)
{
    return Step(step, wrap, true);
}

int ZafString::Increment(ZafData *step, bool wrap)
{
    return Step(step, wrap, false);
}

int ZafString::Step(ZafData *step, bool wrap, bool down)
{
    if (!IsValueData(step))
        return resultWrongStep;
    ZafData *value = ValueData();
    std::unique_ptr<ZafData> old(DuplicateData());
    if (down)
        DecrementData(value, step);
    else
        IncrementData(value, step);
    if (Validate(false) != 0) {
        if (wrap && range && range->Text() && *range->Text())
            WrapValue(value, old.get(), down);
        else
            AssignData(value, old.get());
    }
    SetError(0);
    return 0;
}

void ZafString::WrapValue(ZafData *value, ZafData *old, bool down)
{
    std::vector<RangeEntry> entries = ParseRanges(*this, range->Text());
    ZafData *target = old;
    const std::size_t count = entries.size();
    if (down) {
        if (count > 0 && entries[0].low && CompareData(value, entries[0].low.get()) < 0)
            target = entries[count - 1].high ? entries[count - 1].high.get() : old;
        for (std::size_t i = 1; i < count; ++i)
            if (entries[i].low && entries[i - 1].high && CompareData(value, entries[i].low.get()) < 0 &&
                CompareData(value, entries[i - 1].high.get()) > 0)
                target = entries[i - 1].high.get();
    } else {
        if (count > 0 && entries[count - 1].high && CompareData(value, entries[count - 1].high.get()) > 0)
            target = entries[0].low ? entries[0].low.get() : old;
        for (std::size_t i = 0; i + 1 < count; ++i)
            if (entries[i].high && entries[i + 1].low && CompareData(value, entries[i].high.get()) > 0 &&
                CompareData(value, entries[i + 1].low.get()) < 0)
                target = entries[i + 1].low.get();
    }
    AssignData(value, target);
}

// --- The string versions of the type hooks -------------------------------------------

int ZafString::CompareData(ZafData *a, ZafData *b)
{
    auto *first = dynamic_cast<ZafStringData *>(a);
    auto *second = dynamic_cast<ZafStringData *>(b);
    const int order =
        std::strcmp(first && first->Text() ? first->Text() : "", second && second->Text() ? second->Text() : "");
    return order < 0 ? -1 : order > 0 ? 1 : 0;
}

ZafData *ZafString::DuplicateData()
{
    return stringData->Duplicate();
}

const char *ZafString::ErrorMessage(int)
{
    return nullptr;
}

int ZafString::FormatData(ZafData *data, char *buffer, int size, const char *)
{
    auto *text = dynamic_cast<ZafStringData *>(data);
    if (!buffer || size < 0)
        return -1;
    const char *source = text && text->Text() ? text->Text() : "";
    std::strncpy(buffer, source, static_cast<std::size_t>(size));
    buffer[size] = '\0';
    return static_cast<int>(std::strlen(buffer));
}

int ZafString::ShowValue()
{
    RefreshListEntry();
    return 0;
}

int ZafString::AssignData(ZafData *target, ZafData *source)
{
    auto *to = dynamic_cast<ZafStringData *>(target);
    auto *from = dynamic_cast<ZafStringData *>(source);
    if (!to || !from)
        return 1;
    to->SetStringData(*from);
    return 0;
}

int ZafString::ParseData(ZafData *data, const char *text, const char *)
{
    auto *target = dynamic_cast<ZafStringData *>(data);
    if (!target)
        return 1;
    return target->SetText(text ? text : "");
}

ZafData *ZafString::ValueData() const
{
    return stringData;
}
