#include "controls/cmdlg/DialogFields.h"

#include <algorithm>
#include <cstring>

#include "base/Rounding.h"
#include "controls/cmdlg/CommonDialogError.h"

namespace tarvex::cmdlg {

std::string FixedFieldText(const char* field, size_t size) {
    const char* end = std::find(field, field + size, '\0');
    return std::string(field, end);
}

void SetFixedField(char* field, size_t size, const std::string& text) {
    size_t kept = std::min(size, text.size());
    std::memcpy(field, text.data(), kept);
    std::memset(field + kept, 0, size - kept);
}

int16_t FontSizeFromPointSize(int32_t tenthsOfPoint) {
    double points = RoundHalfEven(tenthsOfPoint / 10.0);
    if (points < INT16_MIN || points > INT16_MAX) throw RuntimeFailure(tarvex::ErrorNumber::Overflow);
    return static_cast<int16_t>(points);
}

DeviceNamesRecord MakeDeviceNames(const std::string& driver, const std::string& device, const std::string& port) {
    // Offsets are 16-bit signed in the record's arithmetic.
    auto offset = [](size_t value) {
        if (value > INT16_MAX) throw RuntimeFailure(tarvex::ErrorNumber::Overflow);
        return static_cast<uint16_t>(value);
    };
    DeviceNamesRecord record;
    record.DriverOffset = DeviceNamesRecord::kHeaderSize;
    record.DeviceOffset = offset(size_t{record.DriverOffset} + driver.size() + 1);
    record.OutputOffset = offset(size_t{record.DeviceOffset} + device.size() + 1);
    record.Text = driver + '\0' + device + '\0' + port + '\0';
    // The whole text is kept, so no offset points past the record.
    if (record.Text.size() < DeviceNamesRecord::kMinimumTextSize)
        record.Text.resize(DeviceNamesRecord::kMinimumTextSize, '\0');
    return record;
}

std::string UpperCase(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

}  // namespace tarvex::cmdlg
