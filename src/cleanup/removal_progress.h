// How a removal tells its page how far it has come, whichever program runs
// it: one count of steps against the sequence's own total.
#pragma once

#include "traces/removal_sink.h"

class RemovalProgress {
public:
    virtual ~RemovalProgress() = default;
    // done of total steps are behind; repaint: whether the bar should show it
    // now (a step that only counts, as DRVSWEEP's probe, does not).
    virtual void OnStep(unsigned int done, unsigned int total, bool repaint) = 0;
};

// Where no page shows the removal: the report, the unattended runs.
class NoRemovalProgress : public RemovalProgress {
public:
    void OnStep(unsigned int, unsigned int, bool) override {}
};

// A sequence's step count: each removal step calls Step once.
class RemovalSteps {
public:
    RemovalSteps(RemovalProgress& progress, unsigned int total) : m_progress(progress), m_total(total) {}
    void Step(bool repaint = true) { m_progress.OnStep(++m_done, m_total, repaint); }
    unsigned int Done() const { return m_done; }

private:
    RemovalProgress& m_progress;
    unsigned int m_total;
    unsigned int m_done = 0;
};

// A program's whole removal as its wizard assembled it: the page only runs
// it and moves its bar.
class RemovalRun {
public:
    virtual ~RemovalRun() = default;
    virtual void Run(RemovalProgress& progress) = 0;
};

// A program's removal sequence over its own context, through a sink: the
// machine, or the report's recorder.
template <class Context>
class RemovalSequence : public RemovalRun {
public:
    explicit RemovalSequence(const Context& context, RemovalSink& sink = TheMachine())
        : m_context(context), m_sink(sink) {}

protected:
    Context m_context;
    RemovalSink& m_sink;
};
