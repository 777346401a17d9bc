#include "engine/link/port_settings.h"

#include <sys/ioctl.h>
#include <termios.h>

#include <array>

namespace zk {

namespace {

// BaudIndex 0..6.
constexpr std::array<speed_t, 7> BAUD_SPEEDS = {B2400, B4800, B9600, B19200, B38400, B57600, B115200};
constexpr std::array<int, 7> BAUD_RATES = {2400, 4800, 9600, 19200, 38400, 57600, 115200};

constexpr unsigned char XON = 0x11;
constexpr unsigned char XOFF = 0x13;

// Sets or clears one modem line. Devices without modem lines (a
// pseudo-terminal) refuse the request, which changes nothing for them.
void SetModemLine(int fd, int line, bool on)
{
    ioctl(fd, on ? TIOCMBIS : TIOCMBIC, &line);
}

}  // namespace

bool ConfigurePort(int fd, int baudIndex, int protocol)
{
    termios tio{};
    if (tcgetattr(fd, &tio) != 0) {
        return false;
    }
    // Binary 8N1: no input or output processing, no echo, no signals, no
    // stripping of NULs or parity marks.
    tio.c_iflag &= ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXANY | IXOFF | INPCK);
    tio.c_oflag &= ~OPOST;
    tio.c_lflag &= ~(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    tio.c_cflag &= ~(CSIZE | PARENB | CSTOPB | CRTSCTS);
    tio.c_cflag |= CS8 | CREAD | CLOCAL;
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    tio.c_cc[VSTART] = XON;
    tio.c_cc[VSTOP] = XOFF;
    // XON/XOFF only tells the printer to pause its replies; what we send is
    // never held back by an XOFF from the printer.
    if (protocol == 1) {
        tio.c_iflag |= IXOFF;
    }
    if (baudIndex >= 0 && baudIndex < static_cast<int>(BAUD_SPEEDS.size())) {
        cfsetispeed(&tio, BAUD_SPEEDS[baudIndex]);
        cfsetospeed(&tio, BAUD_SPEEDS[baudIndex]);
    }
    if (tcsetattr(fd, TCSANOW, &tio) != 0) {
        return false;
    }
    // RTS is never used; DTR is the handshake line of protocol 0 and stays
    // off under XON/XOFF.
    SetModemLine(fd, TIOCM_RTS, false);
    SetModemLine(fd, TIOCM_DTR, protocol == 0);
    return true;
}

int PortBitsPerSecond(int fd)
{
    termios tio{};
    if (tcgetattr(fd, &tio) == 0) {
        for (std::size_t i = 0; i < BAUD_SPEEDS.size(); ++i) {
            if (cfgetispeed(&tio) == BAUD_SPEEDS[i]) {
                return BAUD_RATES[i];
            }
        }
    }
    return BAUD_RATES.front();
}

}  // namespace zk
