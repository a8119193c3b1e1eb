// What the program knows about its own file: where it lives, its name, the product version built
// into it; and the start and end of the socket library.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vf::program_info {

// The suffix of an executable file on this platform.
#if defined(_WIN32)
inline constexpr std::string_view kExecutableSuffix = ".exe";
#else
inline constexpr std::string_view kExecutableSuffix = "";
#endif

// The running executable's full path (UTF-8); empty when it cannot be read.
std::string GetModulePath();
// The running executable's directory, ending in its separator ('/', or '\' on Windows); empty
// when its path cannot be read.
void GetModuleDirectory(std::string &directory);
// `path` cut after its last separator ('/' or '\'), the separator kept; empty without one.
std::string DirectoryOfPath(std::string_view path);

// The running executable's file name without the executable suffix; empty when unreadable.
std::string GetProgramName();
// The file name of `path` without the executable suffix, which matches in any case.
std::string ProgramNameOfPath(std::string_view path);
// The program's file: its directory, its name and the executable suffix.
std::string MakeImagePath(std::string_view directory, std::string_view programName);

// The product version built into the executable as "a.b.c.d" (each 0 to 65535). Leaves `text`
// unchanged when the file carries no version. Windows: the product version of the file's
// VERSIONINFO resource (CMake: vf_add_version_resource). Linux: the record that this library
// places in the section ".vf_version".
void GetProductVersionText(std::string &text);
// The same for any file; false (and `text` unchanged) when it carries no readable version.
bool ReadProductVersionText(const std::string &file, std::string &text);

// The Linux version record as stored in the file: "VF_PRODUCT_VERSION=a.b.c.d". Splits it into
// the two 32-bit halves (major.minor, build.revision); false when malformed or a part exceeds
// 65535.
bool ParseVersionRecord(std::string_view record, std::uint32_t &versionMs,
                        std::uint32_t &versionLs);
std::string FormatProductVersion(std::uint32_t versionMs, std::uint32_t versionLs);

// The socket library: 1 when it is ready, 0 when it could not be started. Windows: Winsock 2.2
// (WSAStartup), ended by StopSockets (WSACleanup), once for each successful start. POSIX sockets
// need no start and always answer 1.
int StartSockets();
void StopSockets();

}  // namespace vf::program_info
