// The short sounds carried in the main program: one resource of type "APPL" each. BASMALAH is
// the wave file of the opening Basmalah (a generated placeholder chime); MP3TESTTONE the
// first-run wizard's compressed test sound (a generated placeholder tone, MP3 inside a WAV file).
// Link vek_program_sounds.
#pragma once

namespace vek {
class ResourceModule;  // foundation/resource_pack.h
}

// Defined by the generated source of vek_program_sounds.
const vek::ResourceModule& ProgramSounds();
