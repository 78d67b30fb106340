#pragma once
// Scoped markers of the workspace's flags: set while a step runs, restored
// when it ends (by return or by exception).
#include "afdesk/core/workspace/lanca_autof.h"

namespace afdesk {

class ScopedFlag {
public:
    explicit ScopedFlag(bool& flag) : m_flag(flag), m_before(flag) { m_flag = true; }
    ~ScopedFlag() { m_flag = m_before; }
    ScopedFlag(const ScopedFlag&) = delete;
    ScopedFlag& operator=(const ScopedFlag&) = delete;

private:
    bool& m_flag;
    bool m_before;
};

// The datasets an abandoned AF rolls back, in the order of its parts.
std::vector<host::Dataset*> afEditDatasets(LancaAutoF& w);

// Whether any of them holds changes not yet saved.
bool afHasPendingChanges(LancaAutoF& w);

}  // namespace afdesk
