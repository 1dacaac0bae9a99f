// MultregOption: the settings record of the multiple regression: the
// columns of the coefficient table (display bits), the method (enter,
// forward selection, backward elimination), the missing-value deletion
// (listwise, pairwise) and the two stepwise limits p in and p out, kept in
// ten-thousandths as the registry stores them (a stored 0, or a value
// outside 0..1, reads as 0.05).
// Texts: group 33; the overlap warning: group 31.
// Lists: list 0 the dependent variables (one page each), list 1 the
// independent variables.
//
// Ownership: made by the registry's factory with its settings loaded; Run
// hands it to the workbook, which deletes it. The option frame owns the
// window (MultregOptionWindow).
#pragma once

#include "shell/TableOption.h"
#include "shell/TableOptionWindow.h"

constexpr int multregTextGroup = 33;
constexpr int multregWarningGroup = 31;

// Bits of the table display: the coefficient table's columns.
enum MultregDisplay : unsigned long {
    multregB = 0x01,
    multregSeB = 0x02,
    multregBeta = 0x04,
    multregT = 0x08, // t and its probability
    multregTolerance = 0x10,
    multregEverything = 0x1f
};

enum MultregMethod : long { multregEnter = 4, multregForward = 8, multregBackward = 16 };
enum MultregMissing : long { multregListwise = 1, multregPairwise = 2 };

class MultregOption : public TableOption
{
public:
    static const TableDescription description;

    MultregOption();

    // The stored values; a stored method other than enter, forward or
    // backward reads as enter. Each method uses only its own limit, so p in
    // and p out are kept as stored.
    void LoadSettings(int flag) override;
    void ToWindow() override;
    ZafWindow *CreateOptionWindow() override;
    void SetVariablePrompts(ZafWindow *variableList) override;
    bool Run() override;

    double PIn() const { return value[3] / 10000.0; }
    double POut() const { return value[4] / 10000.0; }

    long &tableDisplay = value[0]; // MultregDisplay bits
    long &method = value[1];       // MultregMethod
    long &missingDeletion = value[2];
    long &pIn = value[3];  // ten-thousandths
    long &pOut = value[4]; // ten-thousandths
};

// The option window: the column check boxes, the missing-value and method
// radio buttons, and the two limits, each enabled only with its method.
class MultregOptionWindow : public TableOptionWindow
{
public:
    MultregOptionWindow();

    // Enables "StaPin" with forward selection only, "StaPout" with backward
    // elimination only.
    static void EnableLimits(ZafWindow *window, long method);

private:
    static ZafEventType MethodChosen(ZafWindowObject *object, ZafEventRecord &event, ZafEventType code);
};
