#pragma once

// Whether the machine-wide Run key holds a well-formed "Quorvalestrane" string value. The key is
// opened for reading and writing, so a user who could not change the value reads "not there".
bool IsAutostartRegistered();
