#pragma once

// Resource strings of the engine binding.
namespace BindingStrings {

// Library resources embedded in the program and the file names they are written under.
inline constexpr char DecoderResource[] = ":/rcdata/ZELKOR";
inline constexpr char OutputPluginResource[] = ":/rcdata/ZK_DSOUND_OUTPUT";
inline constexpr char DecoderFileName[] = "libzelkor.so";
inline constexpr char OutputPluginFileName[] = "libzk_dsound_output.so";

// The private per-process directory the libraries are written into:
// PrivateDirectoryPrefix, the process id, '-', six random characters.
inline constexpr char PrivateDirectoryPrefix[] = "taerin-";

inline constexpr char DecoderNotFound[] = "ZELKOR : Unable to find decoder !";
inline constexpr char CannotStartPlayer[] = "Cannot Start Zelkor Player";
// "%1" is the file or directory.
inline constexpr char CannotCreateDirectory[] = "Cannot create a private directory in %1";
inline constexpr char CannotReadResource[] = "Cannot read %1";
inline constexpr char CannotWriteFile[] = "Cannot write %1";

// The version mismatch box: ApiMismatch + "3" + "," + "0" + ApiMismatchGot + major + "," + minor.
inline constexpr char ApiMismatch[] = "Zelkor DLL API Mismatch\nExpected ";
inline constexpr char ApiMismatchGot[] = "\nGot ";

} // namespace BindingStrings
