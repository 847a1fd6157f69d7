#include "hosts/win32/key_codes.h"

namespace tessaly {

namespace {

constexpr uint32_t kVirtualKeyY = 'Y';
constexpr uint32_t kVirtualKeyZ = 'Z';
constexpr int kScanY = 0x15;
constexpr int kScanZ = 0x2C;

} // namespace

int keyMessageScanCode(uint32_t wParam, uint32_t lParam, int mappedScanCode) {
    if (wParam == kVirtualKeyZ) return kScanZ;
    if (wParam == kVirtualKeyY) return kScanY;
    int code = int((lParam >> 16) & 0xFF);
    if (code == 0) code = mappedScanCode & 0xFF;
    if (code == 0 || code >= 0x80) return -1;
    return code == kScanZ || code == kScanY ? -1 : code;
}

bool keyMessageRepeats(uint32_t lParam) {
    return (lParam >> 30) & 1;
}

} // namespace tessaly
