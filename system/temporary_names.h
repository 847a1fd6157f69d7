// The names of the temporary files the safe write makes beside a target, the
// same on every system (used by safe_write.cpp):
// "." + the target's name cut to 200 bytes + "." + 16 hex digits + ".tmp".
// The cut keeps the name within the systems' limits for the longest targets.
#pragma once

#include <random>
#include <string>
#include <string_view>

namespace tessaly::temporary_names {

// What every temporary file of a target with this name starts with.
std::string prefixFor(std::string_view targetName);
// A fresh temporary name for a target with this name.
std::string nameFor(std::string_view targetName, std::random_device& device);
// Whether `name` is one of the temporary names that start with `prefix`.
bool isTemporaryOf(std::string_view name, std::string_view prefix);

} // namespace tessaly::temporary_names
