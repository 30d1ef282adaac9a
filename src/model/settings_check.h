// The two settings the controller cannot work outside of, checked when the
// settings panel is applied.
#pragma once

#include <optional>

#include "model/inputs.h"
#include "model/messages.h"

namespace ign {

// The input delay must lie within 30..1000 us and the control pulse within
// 10..3000 us, bounds included; the delay is checked first. Nothing when both
// are in range.
std::optional<Message> checkSettings(const Inputs& in);

}  // namespace ign
