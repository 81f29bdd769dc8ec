#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "predict/Learner.h"
#include "results/RecentForm.h"

namespace wakorin {

// The races of one day for the learner: each race card of the race program file with the
// racers' recent form from `forms` (days before this one), and from the day's result file the
// first three boats, the boats whose tickets are refunded and how each bet type was settled.
// Races the result file has no result for are left out; why goes to `problems`.
std::vector<LearnRace> ReadLearningDay(std::string_view programFile, std::string_view resultFile,
                                       int date, const FormBook* forms,
                                       std::vector<std::string>* problems = nullptr);

}  // namespace wakorin
