#pragma once

#include <memory>

#include <string_view>

#include "predict/DataModel.h"

namespace wakorin {

// The model that ships with the program, built into it (learned from every day of 2024-01..08;
// the command that learns it again stands in README.md), so that the window and the checker
// always have one until the user learns their own.
std::string_view DefaultModelText();
// The built-in model, read once.
const DataModel& DefaultModel();
// The same, for holders that share what they use: it lives as long as the program.
std::shared_ptr<const DataModel> SharedDefaultModel();

}  // namespace wakorin
