#pragma once
// The player's version and build stamp, as its about boxes show them.
constexpr const char* kLumoVersion = "3.1.3";
constexpr const char* kLumoBuildDate = "Nov 28 2007";
constexpr const char* kLumoBuildTime = "12:31:13";
