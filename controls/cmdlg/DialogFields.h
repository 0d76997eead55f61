#pragma once
// Conversions between the control's properties and the fixed-size fields of
// the platform's dialog records, free of any platform call.

#include <cstddef>
#include <cstdint>
#include <string>

namespace tarvex::cmdlg {

// A fixed character field read as text: up to its first NUL, or the whole
// field when it has none (a 31-character face name, a 32-character device
// name).
std::string FixedFieldText(const char* field, size_t size);
// Writes `text` into a field of `size` characters, cut to fit; the rest is
// NUL. A text of exactly `size` characters has no NUL, as the platform
// allows for device names.
void SetFixedField(char* field, size_t size, const std::string& text);

// Tenths of a point to whole points, halves to even; error 6 beyond 16 bits.
int16_t FontSizeFromPointSize(int32_t tenthsOfPoint);

// The device-names record: offsets (in characters from the record's start)
// of driver, device and output port, then the three texts with their NULs.
struct DeviceNamesRecord {
    static constexpr uint16_t kHeaderSize = 8;
    // The text area is at least this long; longer names enlarge it.
    static constexpr size_t kMinimumTextSize = 100;
    uint16_t DriverOffset = 0;
    uint16_t DeviceOffset = 0;
    uint16_t OutputOffset = 0;
    uint16_t Default = 0;
    std::string Text;  // driver NUL device NUL port NUL, padded with NULs
};

// Error 6 when an offset passes 32767.
DeviceNamesRecord MakeDeviceNames(const std::string& driver, const std::string& device, const std::string& port);

// Letters a to z in upper case, every other byte unchanged.
std::string UpperCase(std::string text);

}  // namespace tarvex::cmdlg
