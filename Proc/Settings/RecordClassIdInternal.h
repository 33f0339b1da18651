#pragma once

// Not installed. Placement of the records' CLASS_ID definitions among this library's load-time
// initialisers. Interface identifiers elsewhere in the library are copies of some of these
// constants taken at load time (IFilterVideoMixer::CLASS_ID, IFilterFrameRate::CLASS_ID);
// constructing the record identifiers first keeps those copies from reading an unbuilt string,
// whatever order the linker gives the source files.
#define TIVREL_RECORD_CLASS_ID_INIT __attribute__((init_priority(1000)))
