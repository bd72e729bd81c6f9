// Why a transfer brought no whole file, in words for the Live Update log and status line: the
// HTTP status, the FTP server's reply, libcurl's error text, or the limit that was passed. The
// Arabic twin is Arabic throughout: the program's words for each kind of failure, with the
// server's reply (or a name the server gave) marked as the server's words; libcurl's English
// text is only in the English twin and the debug log.
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
