// The clock faces carried in the main program: one resource of type "APPL" per face, a ZIP
// archive holding that face's 140 x 140 bitmap ("WENQ140AZIP" is Wenq140a.zip, which holds
// WENQ140A.BMP), and NONE140ZIP for the face chooser's bare clock. Link vek_clock_faces.
#pragma once

namespace vek {
class ResourceModule;  // foundation/resource_pack.h
}

// Defined by the generated source of vek_clock_faces.
const vek::ResourceModule& ClockFacePacks();
