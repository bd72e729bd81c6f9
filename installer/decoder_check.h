// What the sound system of this desktop decodes, as Qt Multimedia reports it.
#pragma once

#include "installer/codec_installer.h"

namespace vek {

// MP3 audio and the WAV file format, each looked up on its own in Qt's decode lists (a back end
// may list a codec without pairing it with every file format it can read). Needs a
// QCoreApplication.
DecoderSupport SystemDecoderSupport();

}  // namespace vek
