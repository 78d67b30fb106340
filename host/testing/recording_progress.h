#pragma once
// The progress animation of tests: records every show, change and hide, so a
// test can check that an operation showed its text and hid the animation on
// every path, failures included.
#include "host/services/progress.h"

#include <QtCore/QStringList>

namespace host::test {

class RecordingProgress : public ProgressService {
public:
    bool visible() const { return current().has_value(); }
    // "show <kind> <text>" for each appearance or change, "hide" for each hiding.
    const QStringList& history() const { return m_history; }
    // The texts shown, in order (changes included).
    QStringList texts() const;
    void clearHistory() { m_history.clear(); }

protected:
    void showAnimation(const ProgressState& state) override;
    void hideAnimation() override;

private:
    QStringList m_history;
};

}  // namespace host::test
