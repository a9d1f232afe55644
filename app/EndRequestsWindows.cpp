#include <QWidget>

#include "EndRequests.h"

// A Windows GUI program gets no console signals, and no other process can destroy its
// windows (DestroyWindow works only on the thread that made them); log-off closes the main
// window through Qt like its close button. Nothing to watch.
class TEndRequests::Impl {};

TEndRequests::TEndRequests(const QWidget&) : impl_(std::make_unique<Impl>()) {}

TEndRequests::~TEndRequests() = default;
