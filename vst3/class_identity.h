// The one class this module makes, as the factory describes it to hosts. The class id is fixed
// forever: hosts store sessions, presets and automation under it. V3_ID lays the same four
// numbers out in GUID order on Windows, so hosts on both platforms print and store the same text.
#pragma once

#include "travesty/base.h"

inline constexpr v3_tuid kOverdriveClassId = V3_ID(0x08973D59, 0x5874CBBA, 0xEDEE36EA, 0xEB0FB013);

inline constexpr char kClassName[] = "Vorra OverDrive";
inline constexpr char kVendor[] = "Tonquill";
inline constexpr char kVendorUrl[] = "http://www.tonquill.example";
// What the interface calls an audio effect's class category, and the kind of effect it is.
inline constexpr char kAudioEffectCategory[] = "Audio Module Class";
inline constexpr char kSubCategories[] = "Fx|Distortion";
inline constexpr char kVersion[] = "1.2.0";
// The interface version whose declarations the module follows.
inline constexpr char kSdkVersion[] = "VST 3.7.7";
