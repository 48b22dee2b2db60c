#pragma once

#include "transmission/run/receipt_record_set.h"
#include "transmission/steps/step_set.h"

class QObject;

namespace quelmaro {

class Run;

// The window's steps with the record sets they keep, created with the window and handed to every run.
struct TransmissionSteps {
    TransmissionSteps(QObject& window, Run& run);

    Steps steps() { return set.steps(); }

    StepSet set;
    ReceiptRecordSet receipts;
};

} // namespace quelmaro
