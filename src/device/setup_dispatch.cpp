#include "device/setup_dispatch.h"

#include <algorithm>
#include <utility>

namespace orv {

namespace {

SetupAnswer RowsOnly(ResultRows rows)
{
    SetupAnswer out;
    out.rows = std::move(rows);
    return out;
}

SetupAnswer SubRange(SubRangeAnswer a)
{
    SetupAnswer out = RowsOnly(std::move(a.rows));
    out.subRangeDialog = std::move(a.dialog);
    return out;
}

SetupAnswer DacCodes(DacCodesAnswer a)
{
    SetupAnswer out = RowsOnly(std::move(a.rows));
    out.dacCodes = std::move(a.edits);
    return out;
}

SetupAnswer SignalDevice(SignalDeviceAnswer a)
{
    SetupAnswer out = RowsOnly(std::move(a.rows));
    out.signalDevice = std::move(a.dialog);
    return out;
}

SetupAnswer ResponseDelay(ResponseDelayAnswer a)
{
    SetupAnswer out = RowsOnly(std::move(a.rows));
    out.responseDelay = a.dialog;
    return out;
}

SetupAnswer Primary(const ResponseView &a, const SetupDecodeContext &c)
{
    return RowsOnly(DecodePrimaryVariable(a, c.decimalSeparator));
}

SetupAnswer CurrentAndVariables(const ResponseView &a, const SetupDecodeContext &c)
{
    return RowsOnly(DecodeCurrentAndVariables(a, c.decimalSeparator));
}

SetupAnswer DeviceVariables(const ResponseView &a, const SetupDecodeContext &c)
{
    DeviceVariablesAnswer d = DecodeDeviceVariables(a, c.variables, c.rangeReadTarget, c.decimalSeparator);
    SetupAnswer out = RowsOnly(std::move(d.rows));
    out.rangeReadTarget = d.nextTarget;
    if (d.subRange || d.mainRange) {
        SubRangeDialogTexts dialog;
        dialog.subRangeGroup = std::move(d.subRange);
        dialog.mainRangeGroup = std::move(d.mainRange);
        out.subRangeDialog = std::move(dialog);
    }
    return out;
}

SetupAnswer WritePollingAddress(const ResponseView &a, const SetupDecodeContext &)
{
    return RowsOnly(DecodeWritePollingAddress(a));
}

SetupAnswer WriteAveraging(const ResponseView &a, const SetupDecodeContext &c)
{
    return RowsOnly(DecodeWriteAveraging(a, c.decimalSeparator));
}

SetupAnswer RangeCorrection(const ResponseView &a, const SetupDecodeContext &)
{
    return RowsOnly(DecodeRangeCorrection(a));
}

SetupAnswer ZeroCorrection(const ResponseView &a, const SetupDecodeContext &)
{
    return RowsOnly(DecodeZeroCorrection(a));
}

SetupAnswer FixedCurrent(const ResponseView &a, const SetupDecodeContext &c)
{
    FixedCurrentAnswer f = DecodeFixedCurrent(a, c.fixedCurrentMarks, c.decimalSeparator);
    SetupAnswer out = RowsOnly(std::move(f.rows));
    out.fixedCurrent = f.currentOutput;
    return out;
}

SetupAnswer UnitSet(const ResponseView &a, const SetupDecodeContext &)
{
    return RowsOnly(DecodeUnitSet(a));
}

SetupAnswer WriteDacCodes(const ResponseView &a, const SetupDecodeContext &c)
{
    return DacCodes(DecodeWriteDacCodes(a, c.decimalSeparator));
}

SetupAnswer ReadDacCodes(const ResponseView &a, const SetupDecodeContext &c)
{
    return DacCodes(DecodeReadDacCodes(a, c.decimalSeparator));
}

SetupAnswer MaxRatioReport(const ResponseView &a, const SetupDecodeContext &c)
{
    return RowsOnly(DecodeMaxRatioReport(a, c.decimalSeparator));
}

SetupAnswer ReadMaxRatio(const ResponseView &a, const SetupDecodeContext &c)
{
    return SubRange(DecodeReadMaxRatio(a, c.decimalSeparator));
}

SetupAnswer PressureKind(const ResponseView &a, const SetupDecodeContext &)
{
    return RowsOnly(DecodePressureKind(a));
}

SetupAnswer CurrentRangeReport(const ResponseView &a, const SetupDecodeContext &)
{
    return RowsOnly(DecodeCurrentRangeReport(a));
}

SetupAnswer ReadCurrentRange(const ResponseView &a, const SetupDecodeContext &)
{
    CurrentRangeAnswer r = DecodeReadCurrentRange(a);
    SetupAnswer out = RowsOnly(std::move(r.rows));
    out.currentRangeText = std::move(r.rangeText);
    return out;
}

SetupAnswer SaveParameters(const ResponseView &a, const SetupDecodeContext &)
{
    return RowsOnly(DecodeSaveParameters(a));
}

SetupAnswer DeviceInfo(const ResponseView &a, const SetupDecodeContext &c)
{
    DeviceInfoAnswer d = DecodeDeviceInfo(a, c.decimalSeparator);
    SetupAnswer out = RowsOnly(std::move(d.rows));
    out.deviceInfo = std::move(d.edits);
    return out;
}

SetupAnswer SetPressureUnit(const ResponseView &a, const SetupDecodeContext &)
{
    return RowsOnly(DecodeSetPressureUnit(a));
}

SetupAnswer SignalUnitsWritten(const ResponseView &a, const SetupDecodeContext &c)
{
    return SignalDevice(DecodeSignalDeviceUnitsWritten(a, c.decimalSeparator));
}

SetupAnswer SignalUnitsRead(const ResponseView &a, const SetupDecodeContext &c)
{
    return SignalDevice(DecodeSignalDeviceUnitsRead(a, c.decimalSeparator));
}

SetupAnswer SignalPercentWritten(const ResponseView &a, const SetupDecodeContext &c)
{
    return SignalDevice(DecodeSignalDevicePercentWritten(a, c.decimalSeparator));
}

SetupAnswer SignalPercentRead(const ResponseView &a, const SetupDecodeContext &c)
{
    return SignalDevice(DecodeSignalDevicePercentRead(a, c.decimalSeparator));
}

SetupAnswer SubRangeByLimits(const ResponseView &a, const SetupDecodeContext &c)
{
    return SubRange(DecodeSubRangeByLimits(a, c.decimalSeparator));
}

SetupAnswer SubRangeByRatio(const ResponseView &a, const SetupDecodeContext &c)
{
    return SubRange(DecodeSubRangeByRatio(a, c.decimalSeparator));
}

SetupAnswer ReadSubRangeRatio(const ResponseView &a, const SetupDecodeContext &c)
{
    return SubRange(DecodeReadSubRangeRatio(a, c.decimalSeparator));
}

SetupAnswer ResponseDelayWritten(const ResponseView &a, const SetupDecodeContext &)
{
    return ResponseDelay(DecodeResponseDelayWritten(a));
}

SetupAnswer ResponseDelayRead(const ResponseView &a, const SetupDecodeContext &)
{
    return ResponseDelay(DecodeResponseDelayRead(a));
}

SetupAnswer BackupCopy(const ResponseView &a, const SetupDecodeContext &)
{
    return RowsOnly(DecodeBackupCopy(a));
}

SetupAnswer RestoreSettings(const ResponseView &a, const SetupDecodeContext &)
{
    return RowsOnly(DecodeRestoreSettings(a));
}

struct DispatchEntry {
    std::uint8_t command;
    SetupDecoder decoder;
};

// Ascending by command byte.
constexpr DispatchEntry DispatchTable[] = {
    {1, Primary},
    {3, CurrentAndVariables},
    {6, WritePollingAddress},
    {33, DeviceVariables},
    {34, WriteAveraging},
    {36, RangeCorrection},
    {37, ZeroCorrection},
    {40, FixedCurrent},
    {44, UnitSet},
    {146, WriteDacCodes},
    {147, ReadDacCodes},
    {150, MaxRatioReport},
    {151, ReadMaxRatio},
    {152, PressureKind},
    {156, CurrentRangeReport},
    {157, ReadCurrentRange},
    {162, SaveParameters},
    {173, DeviceInfo},
    {174, DeviceInfo},
    {178, SetPressureUnit},
    {180, SignalUnitsWritten},
    {181, SignalUnitsRead},
    {186, SignalPercentWritten},
    {187, SignalPercentRead},
    {190, SubRangeByLimits},
    {191, SubRangeByRatio},
    {192, ReadSubRangeRatio},
    {193, ResponseDelayWritten},
    {194, ResponseDelayRead},
    {195, BackupCopy},
    {196, RestoreSettings},
};

} // namespace

SetupDecoder FindSetupDecoder(std::uint8_t command)
{
    for (const DispatchEntry &e : DispatchTable)
        if (e.command == command)
            return e.decoder;
    return nullptr;
}

std::vector<std::uint8_t> SetupDecodedCommands()
{
    std::vector<std::uint8_t> commands;
    for (const DispatchEntry &e : DispatchTable)
        commands.push_back(e.command);
    return commands;
}

} // namespace orv
