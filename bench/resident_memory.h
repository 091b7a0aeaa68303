#pragma once

// This process's resident set (VmRSS in /proc/self/status) in KiB; 0 when it cannot be read.
long residentKiB();
