#pragma once

#include <QString>

#include "RowTexts.h"

// What a screen reader announces for one row of the drive list.
struct AccessibleRowText {
    QString Name;
    QString Description;
};

// From the same content the painter draws: the name is what tells the row apart (the drive
// letter, label and bracket text, or the summary row's title), the description its figures
// and percentage exactly as shown.
AccessibleRowText DescribeRow(const RowContent& content);
