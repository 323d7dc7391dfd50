#pragma once

// Why the print service did not take a job; the print texts name each reason.
enum class PrintRefusal {
    None,           // taken: the job has a number
    NotAccepting,   // the queue rejects jobs (stopped by its administrator)
    NoSuchPrinter,  // the queue does not exist (any more)
    Unreachable,    // the print service does not answer
    Other,          // any other answer of the print service; see detail
};
