#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

// The device's two directions on a serial line ("voltan-sim device") and a
// pair of linked pseudo-terminals to run it on without hardware
// ("voltan-sim pty").

namespace voltansim {

extern const std::string_view DeviceUsage;
extern const std::string_view PtyUsage;

// Exit codes as RunCommandLine: 0 done, 1 the work failed, 2 bad arguments.
int DeviceCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int PtyCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

enum class CheckCharacters { Good, Bad, None };

// One block as the device sends it: STX, the data, ETX and two check
// characters. The data must not hold STX, ETX or SYN.
std::string DeviceBlock(std::string_view data, CheckCharacters check);

// Offset of the first byte that cannot travel inside a block, or npos.
size_t FirstUnframableByte(std::string_view data);

// Empty when `frame` is a well-formed setup frame (STX to ETX, every field of
// its width followed by ";", the fields convert); else what is wrong.
std::string CheckSetupFrame(std::string_view frame);

// Printable ASCII as it is, a backslash doubled, any other byte as \xHH.
std::string EscapeBytes(std::string_view bytes);

}  // namespace voltansim
