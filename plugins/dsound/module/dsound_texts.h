// Texts that the looping-buffer output reports.
#pragma once

namespace zk::dsound::texts {

inline constexpr char kModuleName[] = "DirectSound Driver Interface";
inline constexpr char kModuleVersion[] = "Version 1.1";
inline constexpr char kDevicePrefix[] = "/dev/dsound/";

inline constexpr char kWindowVariable[] = "OUTPUT.DIRECTSOUND.WINDOW";
inline constexpr char kPitchVariable[] = "OUTPUT.DIRECTSOUND.PITCH";

inline constexpr char kNeedsWindow[] = "DirectSound needs a window handle";
inline constexpr char kNoSuchDevice[] = "no such device";
inline constexpr char kCannotOpenDevice[] = "cannot open DirectSound device";

// Device failures: the caption, then "context \nDirect Sound Error code\ndescription".
inline constexpr char kErrorCaption[] = "Direct Sound Error";
inline constexpr char kErrorFormat[] = "%s \nDirect Sound Error %x\n%s";
inline constexpr char kCannotCreateSecondaryBuffer[] = "Cannot Create Secondary Buffer";
inline constexpr char kBufferLost[] = "Buffer Lost";

inline constexpr char kSilentFallback[] = "cannot open default DirectSound device, playing on the silent device";
inline constexpr char kNoBuffer[] = "write before the format is set";
inline constexpr char kPitchNotSupported[] = "pitch not supported";
inline constexpr char kDrained[] = "DirectSound buffer played out";

} // namespace zk::dsound::texts
