// The files carried in dravolen: one resource of type "APPL" each. L3CODECPACM is the MP3 codec
// driver L3codecp.acm (the file that the CMake option VEK_CODEC_DRIVER names, by default a
// placeholder); INFORMATION names it. Link vek_codec_driver.
#pragma once

namespace vek {
class ResourceModule;  // foundation/resource_pack.h
}

// Defined by the generated source of vek_codec_driver.
const vek::ResourceModule& CodecDriverPack();
