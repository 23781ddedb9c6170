#pragma once

#include <functional>

class QFileDialog;

namespace exporttest {

// Answers the export's real save dialog once it has come up: answer runs on it from the event loop that
// the dialog's exec() turns. Fails the test when no dialog comes.
void answerSaveDialog(const std::function<void(QFileDialog&)>& answer, int triesLeft = 200);

} // namespace exporttest
