// Where DLLs may come from.
#pragma once

// Where the system offers it, makes DLLs that the platform loads on the
// program's behalf (for a message box, the shell link object) come from the
// system folder only, never from the installer's folder, for the rest of the
// process. Older systems lack the call and carry on as before.
void RestrictDllSearch();
