// ZafNumberField: the part the integer and real fields share.
#include "zaf/controls/ZafNumberField.h"

#include "zaf/core/ZafWindowPersistence.h"
#include "zaf/data/ZafFormatData.h"
#include "zaf/data/ZafIntegerData.h"
#include "zaf/data/ZafLanguageData.h"
#include "zaf/data/ZafRealData.h"
#include "zaf/data/ZafStringData.h"

#include <memory>

namespace {

constexpr ZafUpdateType observedKinds = 3;
// The update kind that asks an observer to take its control's text.
constexpr ZafUpdateType readControlKind = 1;

ZafLanguageData *AcquireMessages(const char *tableName)
{
    return AcquireLanguageData(tableName, ZafLanguageData::BuiltInTable(tableName));
}

} // namespace

ZafNumberField::ZafNumberField(int left, int top, int width, const char *tableName)
    : ZafString(left, top, width, static_cast<ZafStringData *>(nullptr)), messages(AcquireMessages(tableName))
{}

ZafNumberField::ZafNumberField(const ZafNumberField &copy, const char *tableName)
    : ZafString(copy), messages(AcquireMessages(tableName))
{
    ZafFormatData *value = copy.valueData;
    if (value && value->Destroyable())
        value = static_cast<ZafFormatData *>(value->Duplicate());
    SetValueData(value);
}

ZafNumberField::ZafNumberField(const char *name, ZafWindowPersistence &persistence, const char *tableName)
    : ZafString(name, persistence), messages(AcquireMessages(tableName))
{}

ZafNumberField::~ZafNumberField()
{
    DestroyOSWindow();
    DropData(valueData, DataChanged);
    valueData = nullptr;
    if (messages)
        ReleaseLanguageData(messages);
}

int ZafNumberField::SetValueData(ZafFormatData *data)
{
    if (!data)
        data = NewValueData();
    if (data != valueData) {
        ZafFormatData *old = valueData;
        valueData = data;
        DropData(old, DataChanged);
        valueData->AddNotification(this, DataChanged, observedKinds);
    }
    ShowValue();
    return 0;
}

int ZafNumberField::DataChanged(ZafElement *observer, std::uint32_t kinds)
{
    auto *field = dynamic_cast<ZafNumberField *>(observer);
    if (!field)
        return 1;
    int result = 1;
    if (kinds & ZafNotification::valueChanged)
        result = field->ShowValue();
    if (kinds & readControlKind)
        result = field->ParseText();
    return result;
}

// --- Persistence -------------------------------------------------------------------

void ZafNumberField::FinishReading(ZafWindowPersistence &persistence)
{
    if (persistence.Error() == 0)
        ReadValueRecord(persistence);
    if (!valueData)
        SetValueData(nullptr);
    persistence.PopLevel();
    if (persistence.Error() != 0)
        SetError(static_cast<int>(persistence.Error()));
}

void ZafNumberField::ReadValueRecord(ZafWindowPersistence &persistence)
{
    char name[ZafWindowPersistence::maxNameLength + 1] = "";
    persistence.ReadStringInto(name, sizeof name);
    ZafDataPersistence *data = DataPersistence(persistence);
    if (persistence.Error() != 0 || !data || !*name)
        return;
    SetValueData(ReadValueData(name, *data));
}

void ZafNumberField::WriteNumberField(ZafWindowPersistence &persistence, const char *name, ZafClassID id)
{
    persistence.PushLevel(name, id, ZafWindowPersistence::childEntry);
    ParseText();
    ZafString::Write(persistence);
    if (persistence.Error() == 0) {
        if (!valueData->StringID())
            valueData->SetStringID(ZafData::MakeDefaultName());
        persistence.WriteString(valueData->StringID());
        WriteData(persistence, valueData);
    }
    persistence.PopLevel();
    if (persistence.Error() != 0)
        SetError(static_cast<int>(persistence.Error()));
}

// --- Events ------------------------------------------------------------------------

ZafEventType ZafNumberField::Event(const ZafEventRecord &event)
{
    ZafEventType code = event.type;
    if (code == ZAF_KEY_EVENT) {
        code = MapEvent(event);
        if (code != ZAF_SELECT)
            return ZAF_UNKNOWN;
    }
    auto *other = dynamic_cast<ZafNumberField *>(event.Object());
    const bool sameClass = other && other != this && other->ClassID() == ClassID();
    switch (code) {
    case ZAF_COPY_VALUE:
        if (sameClass)
            AssignData(valueData, other->valueData);
        return code;
    case ZAF_TAKE_VALUE:
        if (sameClass)
            SetValueData(other->valueData);
        else if (!event.Object())
            SetValueData(static_cast<ZafFormatData *>(valueData->Duplicate()));
        return code;
    case ZAF_READ_CONTROL:
        ParseText();
        return code;
    case ZAF_SHOW_VALUE:
    case ZAF_SHOW_VALUE_ALT:
        ShowValue();
        return code;
    case ZAF_RESOLVE_REFERENCES:
        ShowValue();
        return ZafString::Event(event);
    case ZAF_SELECT:
    case ZAF_FOCUS_CHANGE:
        return ValidateNumber(event, code);
    default:
        return ZafString::Event(event);
    }
}

ZafEventType ZafNumberField::ValidateNumber(const ZafEventRecord &event, ZafEventType code)
{
    // A message shown below takes the focus from the field; that focus
    // change (or another Enter) answers at once without a second message.
    if (validating)
        return resultValueKept;
    validating = true;
    ZafEventRecord selection = event;
    selection.type = code;
    const bool leaving = IsLeaving(selection);
    std::unique_ptr<ZafData> old(valueData->Duplicate());
    const int parseError = ParseText();
    {
        DeletionWatch watch(*this);
        if (parseError != 0 && !leaving && reportErrors)
            ReportMessage(ErrorMessage(invalidNumberMessage), MB_OKCANCEL, nullptr);
        if (watch.deleted)
            return parseError;
    }
    rangeCheckPending = CompareData(valueData, old.get()) != 0 || (stringData->Length() == 0) != unanswered;
    if (rangeCheckPending)
        SetChanged(true);

    // The dispatcher answers a bad text itself, without the user function:
    // the program never acts on a number the user did not give.
    selectionError = parseError;
    bool deleted = false;
    ZafEventType result = SelectOrLeave(selection, code, deleted);
    if (deleted)
        return result;
    selectionError = 0;
    if (parseError != 0)
        result = leaving ? resultValueKept : parseError;

    if (result == resultValid) {
        if (!unanswered && rangeCheckPending)
            ShowValue();
    } else if (result != resultValueKept) {
        AssignData(valueData, old.get());
        ShowValue();
    } else if (leaving) {
        // The data keeps the old value while the control keeps what was
        // typed, for the user to finish on return.
        valueData->SetNotificationData(this, 0);
        AssignData(valueData, old.get());
        valueData->SetNotificationData(this, observedKinds);
    }
    rangeCheckPending = false;
    invalid = result == resultValueKept;
    validating = false;
    SetError(0);
    return result;
}

// --- Text and value ----------------------------------------------------------------

int ZafNumberField::ParseText()
{
    const ZafUpdateType mask = valueData->FindNotificationData(this);
    valueData->SetNotificationData(this, 0);
    GetTextFromControl();
    const int error = ParseData(valueData, stringData->Text(), InputFormatText());
    valueData->SetNotificationData(this, mask);
    return SetError(error);
}

int ZafNumberField::CheckTypedValue()
{
    std::unique_ptr<ZafData> scanned(valueData->Duplicate());
    const char *typed = Text();
    const int error = ParseData(scanned.get(), typed ? typed : "", InputFormatText());
    if (error != 0) {
        if (reportErrors)
            ReportMessage(ErrorMessage(invalidNumberMessage), MB_ICONINFORMATION, nullptr);
        return error;
    }
    return Validate(reportErrors);
}

int ZafNumberField::SetText(const char *text)
{
    // An empty text leaves the field unanswered: scanning it would show a
    // 0 that nobody entered.
    const int error = ParseData(valueData, text ? text : "", InputFormatText());
    unanswered = !text || !*text;
    ShowValue();
    return error;
}

int ZafNumberField::SetOutputFormat(const char *text)
{
    const int result = ZafString::SetOutputFormat(text);
    if (result == 0)
        ShowValue();
    return result;
}

int ZafNumberField::ShowValue()
{
    if (!valueData)
        return 0;
    if (unanswered) {
        stringData->Clear();
        return 0;
    }
    char buffer[boundLength + 1] = "";
    valueData->FormattedText(buffer, boundLength, OutputFormatText());
    stringData->SetText(buffer);
    // The data may have held this text already while the control shows
    // something else (a text that did not scan).
    if (HasOwnControl())
        RefreshListEntry();
    return 0;
}

// --- Type hooks --------------------------------------------------------------------

const char *ZafNumberField::ErrorMessage(int code)
{
    return messages ? messages->GetMessageText(static_cast<ZafNumberID>(code), false) : nullptr;
}

int ZafNumberField::FormatData(ZafData *data, char *buffer, int size, const char *format)
{
    auto *number = dynamic_cast<ZafFormatData *>(data);
    if (!number || !buffer || size < 0)
        return -1;
    buffer[0] = '\0';
    return number->FormattedText(buffer, size, format);
}

ZafData *ZafNumberField::DuplicateData()
{
    return valueData->Duplicate();
}

ZafData *ZafNumberField::ValueData() const
{
    return valueData;
}

// --- Typed half --------------------------------------------------------------------

template <class Data, class Value>
ZafFormatData *ZafNumberFieldOf<Data, Value>::ReadValueData(const char *name, ZafDataPersistence &persistence) const
{
    auto *data = new Data(name, persistence);
    if (data->Error() != 0) {
        delete data;
        return nullptr;
    }
    return data;
}

template <class Data, class Value> Data *ZafNumberFieldOf<Data, Value>::TypedData() const
{
    return static_cast<Data *>(valueData);
}

template <class Data, class Value> Value ZafNumberFieldOf<Data, Value>::GetValue()
{
    ParseText();
    return TypedData()->Value();
}

template <class Data, class Value> int ZafNumberFieldOf<Data, Value>::SetValue(Value value)
{
    // A value the program sets is an answer: an unanswered field would show
    // it as an empty text.
    unanswered = false;
    return TypedData()->SetValue(value);
}

template <class Data, class Value> ZafFormatData *ZafNumberFieldOf<Data, Value>::NewValueData() const
{
    return new Data(Value{});
}

template <class Data, class Value> int ZafNumberFieldOf<Data, Value>::CompareData(ZafData *a, ZafData *b)
{
    auto *first = dynamic_cast<Data *>(a);
    auto *second = dynamic_cast<Data *>(b);
    if (!first || !second)
        return 0;
    return first->Value() < second->Value() ? -1 : first->Value() > second->Value() ? 1 : 0;
}

template <class Data, class Value> int ZafNumberFieldOf<Data, Value>::AssignData(ZafData *target, ZafData *source)
{
    auto *to = dynamic_cast<Data *>(target);
    auto *from = dynamic_cast<Data *>(source);
    if (!to || !from)
        return 1;
    to->AssignFrom(*from);
    return 0;
}

template <class Data, class Value>
int ZafNumberFieldOf<Data, Value>::ParseData(ZafData *data, const char *text, const char *format)
{
    auto *target = dynamic_cast<Data *>(data);
    if (!target)
        return 1;
    Data scanned(target->Value());
    const int error = scanned.SetFormattedText(text, format);
    if (error == 0)
        target->SetValue(scanned.Value());
    return error;
}

template <class Data, class Value> int ZafNumberFieldOf<Data, Value>::DecrementData(ZafData *data, ZafData *step)
{
    auto *target = dynamic_cast<Data *>(data);
    auto *amount = dynamic_cast<Data *>(step);
    if (!target || !amount)
        return 1;
    target->SubtractValue(amount->Value());
    return 0;
}

template <class Data, class Value> int ZafNumberFieldOf<Data, Value>::IncrementData(ZafData *data, ZafData *step)
{
    auto *target = dynamic_cast<Data *>(data);
    auto *amount = dynamic_cast<Data *>(step);
    if (!target || !amount)
        return 1;
    target->AddValue(amount->Value());
    return 0;
}

template <class Data, class Value> bool ZafNumberFieldOf<Data, Value>::IsValueData(ZafData *data) const
{
    return dynamic_cast<Data *>(data) != nullptr;
}

template class ZafNumberFieldOf<ZafIntegerData, std::int32_t>;
template class ZafNumberFieldOf<ZafRealData, double>;
