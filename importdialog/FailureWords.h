#pragma once

#include <QString>
#include <functional>

namespace importdialog {

// Runs body and catches whatever it throws: returns the words the seller is told (an ImportError's
// message, a StoreError's description, or that something unforeseen happened), empty when it ran through.
QString failureWords(const std::function<void()>& body);

} // namespace importdialog
