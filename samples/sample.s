; Morvane's bundled sample: a tiny NES program with real code, a pointer
; table and a few lines of text, for trying the dumps and the inserter.
; Rebuild with samples/build.sh (needs cc65's ca65 and ld65).

.segment "HEADER"
        .byte "NES", $1A
        .byte 2                 ; two 16 kB PRG banks
        .byte 0                 ; CHR RAM
        .byte $00, $00
        .res 8, 0

PPUCTRL   = $2000
PPUMASK   = $2001
PPUSTATUS = $2002
PPUADDR   = $2006
PPUDATA   = $2007
textPtr   = $00
lineNo    = $02

.segment "CODE"
reset:
        sei
        cld
        ldx #$FF
        txs
        inx
        stx PPUCTRL
        stx PPUMASK
@vblank1:
        bit PPUSTATUS
        bpl @vblank1
@vblank2:
        bit PPUSTATUS
        bpl @vblank2
        lda #0
        sta lineNo
@nextLine:
        lda lineNo
        asl a
        tax
        lda TextPointers,x
        sta textPtr
        lda TextPointers+1,x
        sta textPtr+1
        jsr PrintLine
        inc lineNo
        lda lineNo
        cmp #4
        bne @nextLine
        lda #%00001010
        sta PPUMASK
forever:
        jmp forever

; Copies one $FF-terminated line to the screen; $FE starts a new row.
PrintLine:
        ldy #0
@loop:
        lda (textPtr),y
        cmp #$FF
        beq @done
        sta PPUDATA
        iny
        bne @loop
@done:
        rts

nmi:
        rti
irq:
        rti

TextPointers:
        .word Line0, Line1, Line2, Line3

; Text: letters, digits and punctuation as in ASCII; new line $FE, end of
; phrase $FF (see sample.tbl).
Line0:  .byte "HELLO WORLD!", $FF
Line1:  .byte "THIS IS A SAMPLE", $FE, "FOR MORVANE.", $FF
Line2:  .byte "PRESS START", $FF
Line3:  .byte "THE END.", $FF

.segment "VECTORS"
        .word nmi, reset, irq
