#include "installer/decoder_check.h"

#include <QList>
#include <QMediaFormat>

namespace vek {

DecoderSupport SystemDecoderSupport() {
  QMediaFormat any;  // no file format set: every codec and every format is listed
  DecoderSupport support;
  support.mp3 =
      any.supportedAudioCodecs(QMediaFormat::Decode).contains(QMediaFormat::AudioCodec::MP3);
  support.wave = any.supportedFileFormats(QMediaFormat::Decode).contains(QMediaFormat::Wave);
  return support;
}

}  // namespace vek
