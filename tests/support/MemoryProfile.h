#pragma once

#include "platform/ValuesProfile.h"

namespace kal {

// The settings of a test, in memory and gone with it.
using MemoryProfile = ValuesProfile;

} // namespace kal
