; A script engine: each call is followed by its script, a byte code that
; ends with 00. Code 01 writes the character after it, 02 calls the native
; routine whose address follows, 03 waits the frames after it; the native
; routines are reached only through the addresses inside the scripts.
.segment "HEADER"
  .byte "NES", $1A, 2, 1, $00, $00
  .res 8, 0

.segment "ZEROPAGE"
sp:     .res 2
native: .res 2
frame:  .res 1
tmp:    .res 1

END   = 0
PUT   = 1
CALL  = 2
WAIT  = 3

.segment "CODE"
reset:
  sei
  cld
  ldx #$FF
  txs
  lda #$80
  sta $2000
main:
  jsr script
  .byte PUT, "H", PUT, "I", CALL
  .addr clear_line
  .byte WAIT, 2, END
  jsr script
  .byte CALL
  .addr beep
  .byte PUT, $00, CALL
  .addr flash
  .byte END
  jsr script
  .byte WAIT, 0, CALL
  .addr clear_line
  .byte END
  jmp main

; Runs the script after the call, then returns past its end.
script:
  pla
  sta sp
  pla
  sta sp+1
@next:
  jsr fetch
  beq @done
  cmp #PUT
  bne @call
  jsr fetch
  sta $2007
  jmp @next
@call:
  cmp #CALL
  bne @wait
  jsr fetch
  sta native
  jsr fetch
  sta native+1
  jsr run_native
  jmp @next
@wait:
  jsr fetch
  tax
  beq @next
@frames:
  lda frame
@same:
  cmp frame
  beq @same
  dex
  bne @frames
  jmp @next
@done:
  lda sp+1
  pha
  lda sp
  pha
  rts

; The next byte of the script, with the flags of it.
fetch:
  inc sp
  bne @load
  inc sp+1
@load:
  ldy #0
  lda (sp),y
  rts

run_native:
  jmp (native)

.segment "RODATA"
  .byte 0

.segment "FIXED"
clear_line:
  lda #$20
  ldx #32
@put:
  sta $2007
  dex
  bne @put
  rts

beep:
  lda #$8F
  sta $4000
  lda #$40
  sta $4003
  rts

flash:
  lda frame
  and #$1F
  sta $2001
  rts

nmi:
  inc frame
irq:
  rti

.segment "VECTORS"
  .addr nmi, reset, irq
