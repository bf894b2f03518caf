; MMC1 in 32 KiB mode. Each 32 KiB bank starts with a dispatcher that runs
; its routine X through a table of (address - 1) words; the routines lie in
; both halves of the bank. The stub at FF00, the same in both banks, sets
; the mode on reset and makes the calls from one bank into the other.
.segment "HEADER"
  .byte "NES", $1A, 4, 0, $10, $00
  .res 8, 0

.segment "ZEROPAGE"
frame:  .res 1
bank:   .res 1
count:  .res 1

.macro stub
stub_reset:
  sei
  ldx #$FF
  txs
  lda #$80
  sta $8000
  lda #$00
  jsr write_ctrl
  lda #$00
  jsr write_bank
  jmp main

; Runs routine X of the 32 KiB bank in A, then returns to bank 0.
far_call:
  jsr write_bank
  jsr $8000
  lda #$00
  ; falls into write_bank

; Five writes of A, low bit first, to the PRG bank register.
write_bank:
  sta $E000
  lsr a
  sta $E000
  lsr a
  sta $E000
  lsr a
  sta $E000
  lsr a
  sta $E000
  rts

write_ctrl:
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

stub_nmi:
  inc frame
stub_irq:
  rti
.endmacro

.segment "LOW0CODE"
dispatch0:
  txa
  asl a
  tax
  lda routines0+1,x
  pha
  lda routines0,x
  pha
  rts

routines0:
  .word clear_ram - 1, count_up - 1, read_pad - 1, beep - 1

main:
  ldx #0
  jsr dispatch0
  lda #$80
  sta $2000
@loop:
  lda frame
@wait:
  cmp frame
  beq @wait
  ldx #1
  jsr dispatch0
  ldx #2
  jsr dispatch0
  ldx #1
  lda #2
  jsr far_call
  ldx #3
  jsr dispatch0
  jmp @loop

clear_ram:
  lda #0
  tax
@clear:
  sta $0200,x
  sta $0300,x
  inx
  bne @clear
  rts

count_up:
  inc count
  lda count
  cmp #60
  bcc @ok
  lda #0
  sta count
@ok:
  rts

.segment "HIGH0CODE"
read_pad:
  lda #1
  sta $4016
  lsr a
  sta $4016
  ldx #8
@bit:
  lda $4016
  lsr a
  rol $0400
  dex
  bne @bit
  rts

beep:
  lda count
  bne @quiet
  lda #$8F
  sta $4000
  lda #$40
  sta $4003
@quiet:
  rts

.segment "STUB0CODE"
  stub
.segment "VECTORS0"
  .addr stub_nmi, stub_reset, stub_irq

.segment "LOW1CODE"
dispatch1:
  txa
  asl a
  tax
  lda routines1+1,x
  pha
  lda routines1,x
  pha
  rts

draw_score:
  lda count
  and #$0F
  ora #$30
  sta $2007
  rts

scroll:
  lda frame
  sta $2005
  lda #0
  sta $2005
  rts

.segment "HIGH1DATA"
routines1:
  .word draw_score - 1, scroll - 1
  .byte $20, $40, $60, $80

.segment "STUB1CODE"
.scope copy1
  stub
.endscope
.segment "VECTORS1"
  .addr copy1::stub_nmi, copy1::stub_reset, copy1::stub_irq
