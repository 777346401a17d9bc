#pragma once
// Configures an open tty as the printer's port: 8N1 raw, the baud rate of a
// BaudIndex, and the flow control of a Protocol.

namespace zk {

// Applies the settings to the tty's current state, keeping every other
// field. False when fd is not a tty or the driver refuses the settings.
bool ConfigurePort(int fd, int baudIndex, int protocol);

// The rate the tty sends at, in bits per second; the slowest rate the
// settings offer when the driver names none of them.
int PortBitsPerSecond(int fd);

}  // namespace zk
