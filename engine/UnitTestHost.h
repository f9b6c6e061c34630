// The application as the engine sees it. It hears of runs as their observer: the executor reports a run's
// begin, each test's start and end and the run's end (on its worker thread), the sinks that they have shown
// log lines (any thread); and the sinks tell it when they have shown an error line. The engine knows nothing
// of what implements it: the program's application object (engine/app/QuorvexApp.h) does, and passes the
// run's events on to its own run observer. The defaults do nothing.
#pragma once

#include "engine/UnitTestRunObserver.h"

class CUnitTestHost : public CUnitTestRunObserver
{
public:
    // A sink has shown an error line (called under the sink's lock). A host that does not keep that fact
    // (a test's host, say) has nothing to do: the sink has already shown the line.
    virtual void MarkErrorsReported() {}
};
