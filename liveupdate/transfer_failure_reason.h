// Why a transfer brought no whole file, in words for the Live Update log and status line: the
// HTTP status, the FTP server's reply, libcurl's error text, or the limit that was passed.
#pragma once

#include "liveupdate/transfer_client.h"
#include "liveupdate/transfer_limits.h"
#include "liveupdate/twin_text.h"

namespace vek {

// Empty when the transport had nothing to object to (a file whose size differs from the
// listing is judged by the caller).
TTwinText TransferFailureReason(const TransferOutcome& outcome,
                                const TTransferAllowance& allowance);

}  // namespace vek
