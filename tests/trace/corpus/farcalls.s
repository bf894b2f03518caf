; An MMC1 (or with MAPPER=4 an MMC3) program whose routines in three switched banks are called by
; number through tables of banks and addresses in the fixed bank; bank 0
; copies a routine's worth of bytes for later, bank 1 plays a sine table.
.ifndef MAPPER
  MAPPER = 1
.endif
UNIT = 1 + (MAPPER = 4)   ; MMC3 numbers 8 KiB banks
.segment "HEADER"
  .byte "NES", $1A, 4, 0, (MAPPER & $0F) << 4, MAPPER & $F0
  .res 8, 0
.segment "ZEROPAGE"
vec:   .res 2
tmp:   .res 1
cur:   .res 1
.segment "BSS"
buf:   .res 64

.segment "BANK0CODE"
b0_a:
  ldx #0
: lda b0_data, x
  sta buf, x
  inx
  cpx #24
  bne :-
  rts
b0_data:
  .byte $A9, $00, $85, $10, $A9, $80, $85, $11, $A0, $00, $B1, $10
  .byte $91, $12, $C8, $D0, $F9, $E6, $11, $E6, $13, $CA, $D0, $F2, $60
b0_b:
  lda tmp
  asl a
  sta tmp
  rts

.segment "BANK1CODE"
sine:
  .byte $80, $98, $B0, $C6, $DA, $EA, $F5, $FD, $FF, $FD, $F5, $EA, $DA, $C6, $B0, $98
  .byte $80, $67, $4F, $39, $25, $15, $0A, $02, $00, $02, $0A, $15, $25, $39, $4F, $67
b1_a:
  ldx tmp
  lda sine, x
  sta $4002
  lda #$40
  sta $4017
  rts
b1_b:
  ldy #8
: dey
  bne :-
  rts

.segment "BANK2DATA"
  .byte "LONG STORY TEXT", 0
  .byte $A2, $00, $BD, $00, $03, $9D, $00, $04, $E8, $D0, $F7, $60
.segment "BANK2CODE"
b2_a:
  lda buf
  eor #$FF
  sta buf
  rts

.segment "FIXEDCODE"
reset:
  sei
  ldx #$FF
  txs
  ldx #0
loop:
  stx cur
  jsr far_call
  ldx cur
  inx
  cpx #5
  bne loop
  ldx #0
  beq loop

; Calls routine X: its bank, then its address.
far_call:
  lda banks, x
  jsr select
  lda addr_lo, x
  sta vec
  lda addr_hi, x
  sta vec+1
  jmp (vec)

select:
.if MAPPER = 4
  pha
  lda #6
  sta $8000
  pla
  sta $8001
.else
  sta $E000
  lsr a
  sta $E000
  lsr a
  sta $E000
  lsr a
  sta $E000
  lsr a
  sta $E000
.endif
  rts

nmi:
irq:
  rti

.segment "FIXEDDATA"
banks:
  .byte 0 * UNIT, 1 * UNIT, 0 * UNIT, 2 * UNIT, 1 * UNIT
addr_lo:
  .byte <b0_a, <b1_a, <b0_b, <b2_a, <b1_b
addr_hi:
  .byte >b0_a, >b1_a, >b0_b, >b2_a, >b1_b

.segment "VECTORS"
  .addr nmi, reset, irq
