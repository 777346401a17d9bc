#pragma once
// Puts every process-wide engine record back to its program-start value, so
// that each test starts from a fresh program.

namespace zk {

void ResetEngineState();

}  // namespace zk
