// Makes a nothrow allocation of the test program fail, so the monitor's
// handling of a unit that cannot be made is tested: the program replaces
// the nothrow form of operator new, which only those units use.
#pragma once

namespace monitortest {

// The nothrow allocation on this thread after skip more fails once.
void FailNothrowAllocation(int skip);

}  // namespace monitortest
