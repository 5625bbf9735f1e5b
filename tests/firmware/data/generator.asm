; A small stand-in for the test-pattern generator's firmware, assembled by the build
; so that the tests read and rewrite real assembler output.

        processor 16f628a
        include <p16f628a.inc>
        errorlevel -302         ; the bank is switched by hand below

        __config _CP_OFF & _WDT_OFF & _INTOSC_OSC_NOCLKOUT & _LVP_OFF & _MCLRE_ON & _PWRTE_ON & _BOREN_ON

        org     0x0000
reset   bsf     STATUS, RP0
        clrf    TRISB           ; port B drives the video lines
        bcf     STATUS, RP0
        clrf    PORTB
loop    incf    PORTB, f
        goto    loop

; The firmware's signature: eight words that each return one character of "Lumio_20".
        org     0x07F8
        retlw   'L'
        retlw   'u'
        retlw   'm'
        retlw   'i'
        retlw   'o'
        retlw   '_'
        retlw   '2'
        retlw   '0'

; The data EEPROM: the configuration block.
        org     0x2100
; sliding text, 45 characters, then end markers up to byte 111
        de      "CQ CQ DE IZ0XYZ - ATV 1255 MHZ - TEST PATTERN"
        de      0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80
        de      0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80
        de      0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80
        de      0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80
        de      0x80, 0x80, 0x80
; fixed text (call sign), bytes 112..117
        de      "IZ0XYZ"
; spare, bytes 118..123
        de      0x80, 0x80, 0x80, 0x80, 0x80, 0x80
; frame 9; heights sliding 2 fixed 3; colours sliding navy fixed black; speed normal
        de      0x09, 0x23, 0x18, 0x02

        end
