#include "engine/link/comm_link.h"

namespace zk {

TCommLink CommLink;

}  // namespace zk
