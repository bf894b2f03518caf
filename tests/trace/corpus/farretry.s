; MMC1 (or with MAPPER=2 UxROM) whose fixed bank calls routines in three
; switched banks after a switch routine that writes the bank again when an
; NMI came in the middle of its writes. A routine of one bank lies where
; another bank holds bytes that would read as code.
.ifndef MAPPER
  MAPPER = 1
.endif
.segment "HEADER"
  .byte "NES", $1A, 4, 0, (MAPPER & $0F) << 4, MAPPER & $F0
  .res 8, 0
.segment "ZEROPAGE"
frame:   .res 1
want:    .res 1
nmi_hit: .res 1
score:   .res 1
.segment "BSS"
row:     .res 32

.segment "BANK0CODE"
b0_init:
  ldx #31
: lda b0_row, x
  sta row, x
  dex
  bpl :-
  rts
b0_step:
  inc score
  rts
.segment "BANK0DATA"
b0_row:
  ; lda #0 / sta $10 / rts, as bytes
  .byte $A9, $00, $85, $10, $60, $A2, $03, $CA, $D0, $FD, $60, $EA
  .res 20, $24

.segment "BANK1CODE"
b1_pad:
  .byte $A0, $05, $88, $D0, $FD, $60, $A9, $01, $60, $EA
b1_init:
  lda #$20
  sta $2006
  lda #$00
  sta $2006
  rts
b1_step:
  lda score
  and #$0F
  sta $2005
  rts

.segment "BANK2DATA"
  .byte "LEVEL TWO", 0
  .byte $FF, $FF, $00, $00, $FF, $FF, $00, $00
.segment "BANK2CODE"
b2_step:
  lda frame
  lsr a
  bcc :+
  dec score
: rts

.segment "FIXEDCODE"
reset:
  sei
  cld
  ldx #$FF
  txs
.if MAPPER = 1
  lda #$80
  sta $8000
  lda #$0C
  jsr set_control
.endif
  lda #0
  jsr switch
  jsr b0_init
  lda #1
  jsr switch
  jsr b1_init
  lda #$80
  sta $2000
main:
  lda frame
: cmp frame
  beq :-
  lda #0
  jsr switch
  jsr b0_step
  ldx #1
  jsr switch_x
  jsr b1_step
  lda #2
  jsr switch
  jsr b2_step
  jmp main

; Switches to the bank in X.
switch_x:
  txa
; Switches to the bank in A; an NMI that came during the writes may have
; switched banks itself, so the writes are made again.
switch:
  sta want
@retry:
  lda #0
  sta nmi_hit
  lda want
.if MAPPER = 1
  sta $E000
  lsr a
  sta $E000
  lsr a
  sta $E000
  lsr a
  sta $E000
  lsr a
  sta $E000
.else
  tay
  sta banks, y
.endif
  lda nmi_hit
  bne @retry
  rts

.if MAPPER = 1
set_control:
  sta $8000
  lsr a
  sta $8000
  lsr a
  sta $8000
  lsr a
  sta $8000
  lsr a
  sta $8000
  rts
.endif

nmi:
  inc frame
  inc nmi_hit
irq:
  rti

.segment "FIXEDDATA"
banks:
  .byte 0, 1, 2

.segment "VECTORS"
  .addr nmi, reset, irq
