#pragma once

#include "calc/fields.h"

// The primary and secondary reductions follow from the teeth counts: whenever a
// teeth field changes, its pair is kept complete (an empty or zero count
// becomes 1) and the pair's reduction, rounded to three decimals, is written.
namespace calc {

// koppling / vev into primär.
void primaryUpdate(Fields& fields);
// bakdrev / framdrev into sekundär.
void secondaryUpdate(Fields& fields);

// The change reactions of the four teeth fields.
void vev_Change(Fields& fields);
void koppling_Change(Fields& fields);
void framdrev_Change(Fields& fields);
void bakdrev_Change(Fields& fields);

// Runs the change reaction of a field, if it has one. Every change of a
// field's text, typed or assigned, goes through here.
void fieldChanged(Fields& fields, Field field);

} // namespace calc
