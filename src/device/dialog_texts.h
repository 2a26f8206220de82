#pragma once
// Captions and default texts of the device dialogs.
// Copied from the program's text list: never retype these texts, several carry
// leading or trailing blanks or differ from look-alikes only by a Cyrillic or Latin letter.
#include <QString>
#include <QStringList>

namespace orv::text {

// Device information dialog
QString DeviceInfoTitle();
QString SerialNumberLabel();
QString SerialNumberDefault();
QString YearLabel();
QString YearDefault();
QString DeviceInfoRead();
QString DeviceInfoExit();

// Sub-range dialog
QString SubRangeTitle();
QString MainRangeGroup();
QString SubRangeGroup();
QString RatioGroup();
QString RangeFrom();
QString RangeTo();
QString RangeClose();
QString LowerLimitDefault();
QString UpperLimitDefault();
QString RangeRead();
QString RangeWrite();
QString MessageLabelDefault();
QString CurrentRatioLabel();
QString CurrentRatioDefault();
QString RatioLimitLabel();
QString RatioLimitDefault();
QString SubRangeExit();

// Current output dialog
QString CurrentOutputTitle();
QString CurrentRangeGroup();
QString CurrentRangeDefault();
QString CurrentRangeRead();
QString DacCodesGroup();
QString DacLowerLabel();
QString DacLowerShortLabel();
QString DacLowerDefault();
QString DacUpperLabel();
QString DacUpperShortLabel();
QString DacUpperDefault();
QString DacRead();
QString DacWrite();
QString FixedCurrentGroup();
QString FixedCurrentDacMinButton();
QString FixedCurrentDacMaxButton();
QString FixedCurrentOffButton();
QString CurrentOutputExit();

// Signalling device dialog
QString SignalDeviceTitle();
QString ExecutionLabel();
QString ExecutionDefault();
QString InPercent();
QString InPressureUnits();
QString SetPoint1Label();
QString SetPoint1Default();
QString SetPoint2Label();
QString SetPoint2Default();
QString HysteresisLabel();
QString HysteresisDefault();
QString SignalUnitDefault();
QString SignalDeviceRead();
QString SignalDeviceWrite();
QString SignalDeviceExit();

// Pressure unit dialog
QString PressureUnitTitle();
QString PressureUnitPrompt();
QString PressureUnitDefault();
QString PressureUnitCancel();

// Response delay dialog
QString ResponseDelayTitle();
const QStringList &ResponseDelayScale();
QString ResponseDelayDefault();
QString ResponseDelayReadButton();
QString ResponseDelayWriteButton();
QString ResponseDelayExitButton();

} // namespace orv::text
