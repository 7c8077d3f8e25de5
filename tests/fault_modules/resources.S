// The Fixture's bitmaps as the resource section of a hand-built module. The
// build passes the Fixture's binary folder to the assembler's search path.
    .section .corvane_resources,"",@progbits
    .incbin "Fixture.resources"
    .section .note.GNU-stack,"",@progbits
