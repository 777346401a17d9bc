#pragma once
// Every test program runs in a private temporary folder of its own, so
// that no test watches or disturbs what another program beside it does:
// the program directory, HOME (and so the open-label browser's folders),
// TMPDIR (and so every test's temporary folder) and the XDG folders all lie
// inside it. The print system's address and client configuration point
// into it too, where no print server runs until a test starts one.

namespace zk::test {

// On the first call: makes the folder, links the program and the data
// files beside it into the folder's "program" folder and starts the
// program again from there, since the program directory is where the
// executable lies. In that run: points the environment into the folder.
// False when the folder can't be set up (the reason is printed).
bool EnterPrivateFolder(char* argv[]);

// Removes the folder; the program calls it before it ends.
void LeavePrivateFolder();

}  // namespace zk::test
