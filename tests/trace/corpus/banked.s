; A banked program (mapper MAPPER: 1 MMC1, 2 UxROM or 4 MMC3): the fixed bank switches
; banks and calls their entry tables, or calls through a routine that takes
; the bank and the address after the call; bank 2 holds only data that no code
; of its own reads, so nothing enters it.
.segment "HEADER"
  .byte "NES", $1A, 4, 0, (MAPPER & $0F) << 4, MAPPER & $F0
  .res 8, 0

.segment "ZEROPAGE"
ptr:    .res 2
vec:    .res 2
frame:  .res 1
bank:   .res 1

.segment "BANK0CODE"
bank0_entries:
  jmp draw_map
  jmp scroll
draw_map:
  ldx #0
@row:
  lda map_rows, x
  sta $2007
  inx
  cpx #16
  bne @row
  lda #<map_rows
  sta ptr
  lda #>map_rows
  sta ptr+1
  ldy #0
  lda (ptr), y
  rts
scroll:
  lda frame
  and #7
  tax
  lda scroll_steps, x
  sta $2005
  rts
.segment "BANK0DATA"
map_rows:
  .byte 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16
scroll_steps:
  .byte 0, 1, 2, 4, 8, 4, 2, 1
  .byte "MAP BANK", 0

.segment "BANK1CODE"
bank1_entries:
  jmp play_sound
play_sound:
  ldx frame
  lda sound_lo, x
  sta ptr
  lda sound_hi, x
  sta ptr+1
  jmp (ptr)
sound_a:
  lda #$3F
  sta $4000
  rts
sound_b:
  lda #$7F
  sta $4004
  rts
.segment "BANK1DATA"
sound_lo:
  .byte <sound_a, <sound_b
sound_hi:
  .byte >sound_a, >sound_b
  .byte $00, $10, $20, $30

.segment "BANK2DATA"
  .byte "STORY TEXT LIVES HERE", 0
  .byte $12, $34, $56, $78, $9A, $BC, $DE, $F0

.segment "FIXEDCODE"
reset:
  sei
  cld
  ldx #$FF
  txs
  lda #0
  jsr select_bank
  jsr bank0_entries
  jsr bank0_entries+3
  lda #1
  jsr select_bank
  jsr bank1_entries
  jsr far_call
  .byte 0
  .addr scroll
  jsr far_call
  .byte 1
  .addr sound_b
forever:
  inc frame
  jmp forever

; Selects the 16 KiB bank in A at 8000.
select_bank:
  sta bank
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
  tax
  sta bank_table, x
.endif
  rts

; Calls the routine whose bank and address follow the call.
far_call:
  pla
  sta ptr
  pla
  sta ptr+1
  ldy #1
  lda (ptr), y
  jsr select_bank
  ldy #2
  lda (ptr), y
  sta vec
  iny
  lda (ptr), y
  sta vec+1
  lda ptr
  clc
  adc #3
  tax
  lda ptr+1
  adc #0
  pha
  txa
  pha
  jmp (vec)

nmi:
  inc frame
irq:
  rti

.segment "FIXEDDATA"
bank_table:
  .byte 0, 1, 2, 3

.segment "VECTORS"
  .addr nmi, reset, irq
