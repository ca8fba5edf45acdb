#pragma once
// The link's setting of the Setting menu, kept in "mysetup.ini" (section
// "Link"): whether a read from the radio is a checked read. Off unless stored on.

bool LoadCheckReads();
// False on a write error.
bool StoreCheckReads(bool on);
