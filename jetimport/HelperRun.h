#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <functional>

// Runs the reading helper (tallywick-jetread) as a child process and hands its frames (JetFrames.h) over.
namespace jetimport {

// The helper executable, beside the program's own executable. Tests may point it elsewhere.
QString helperPath();
void setHelperPath(const QString& path);

// Runs the helper with args and hands each frame but a failure to onFrame, while the event loop goes on
// turning (the window stays painted, a progress dialog answers). keepGoing is asked every tenth of a
// second; false stops the helper. Throws ConversionError for a failure frame, a crash, a missing helper,
// output that is not whole frames, a cancel, and whatever onFrame throws (which stops the helper).
void runHelper(const QStringList& args,
               const std::function<void(char, QByteArrayView)>& onFrame,
               const std::function<bool()>& keepGoing);

// A number from the "key=value" lines of a head or end frame.
qint64 frameField(QByteArrayView payload, QByteArrayView key);

// A little-endian 32-bit length of the frames.
quint32 frameLength(const char* bytes);

} // namespace jetimport
