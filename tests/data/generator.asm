; The tests' firmware file, made by the assembler as the real one is: a PIC16F628A
; program with the "Lumio_20" signature at 0x7F8 and the generator's settings in the
; data EEPROM at 0x2100. The firmware tests read and save it, the end-to-end tests and
; the screenshots open it.
;
;   gpasm -o generator.hex generator.asm            the file the tests open
;   gpasm -D EDITED -o edited.hex generator.asm     the same file after the test's edits:
;                                                   frame 12 (number 11) picked, call sign
;                                                   Q0TEST typed, its background red and
;                                                   the sliding text's cyan, the rest as it was
;   gpasm -D ODD ...                                every other setting changed: a sliding text
;                                                   of all 112 characters with a quote, a
;                                                   backslash and DEL, no call sign, frame 16,
;                                                   white on black, big and small, slow
;   gpasm -D OTHER ...                              another build of the program: one more
;                                                   word of code, another configuration word
        processor 16f628a
        radix   dec
#ifdef OTHER
        __config 0x3F30
#else
        __config 0x3F10
#endif

STATUS  equ     3

; n bytes of value b into the data EEPROM
times   macro   b, n
        local   i
i = 0
        while   i < n
        de      b
i += 1
        endw
        endm

; n end markers (0x80)
markers macro   n
        times   0x80, n
        endm

        org     0
#ifdef OTHER
        nop
#endif
start   bsf     STATUS, 5
        clrf    0x06
        bcf     STATUS, 5
loop    incf    0x06, f
        goto    loop

        org     0x7F8
        retlw   'L'
        retlw   'u'
        retlw   'm'
        retlw   'i'
        retlw   'o'
        retlw   '_'
        retlw   '2'
        retlw   '0'

        org     0x2100
#ifdef ODD
        de      0x22, 0x5C, 0x7F  ; a quote, a backslash, DEL
        times   'x', 108
        de      " "
        markers 6               ; no call sign
        markers 6               ; spare
        de      15              ; frame 16
        de      0x30            ; heights: sliding text big, call sign small
        de      0x78            ; backgrounds: sliding text white, call sign black
        de      1               ; speed slow
#else
sliding de      "CQ CQ DE N0CALL - ATV TEST PATTERN"
        markers 112 - 34
#ifdef EDITED
        de      "Q0TEST"
#else
        de      "N0CALL"
#endif
        markers 6               ; spare
#ifdef EDITED
        de      11              ; frame
#else
        de      5
#endif
        de      0x12            ; heights: sliding text medium, call sign normal
#ifdef EDITED
        de      0x52            ; backgrounds: sliding text cyan, call sign red
#else
        de      0x28            ; backgrounds: sliding text red, call sign black
#endif
        de      2               ; speed normal
#endif
        end
