#pragma once
// Lets a caller see why a file failed (the log line only names the file). Called on the
// thread that ran the step, after its line was logged.
#include <functional>
#include <string>

#include "core/sync/FileStep.h"

namespace packwell {

using StepObserver = std::function<void(const std::string& name, const StepResult& result)>;

}  // namespace packwell
