; A mapper 7 (AxROM) program of two 32 KiB banks. Each bank starts with the
; same entry table and ends with the same stub, so that reset, interrupts
; and calls between banks work whichever bank is in. Bank 0 runs the game
; through a state engine indexed by a state kept doubled, and checks its
; results with a long run of branches; bank 1 holds engines that take their
; tables after the call, with a one-byte index, and split tables.
.segment "HEADER"
  .byte "NES", $1A, 4, 0, $70, 0
  .res 8, 0

.segment "ZEROPAGE"
ptr:    .res 2
vec:    .res 2
state:  .res 1   ; 0, 2, 4...: an offset into the state table
frame:  .res 1
temp:   .res 1

.segment "BSS"
results: .res 128

; Calls routine A of bank X; both banks see the stub at the same address.
.macro stub
reset:
  sei
  cld
  ldx #$FF
  txs
  ldx #0
  stx bank_ids
  jmp $8000
nmi:
  inc frame
irq:
  rti
far_call:
  sta temp
  lda bank_ids, x
  sta bank_ids, x
  lda temp
  jsr $8003
  ldx #0
  lda bank_ids, x
  sta bank_ids, x
  rts
bank_ids:
  .byte 0, 1
.endmacro


.segment "BANK0CODE"
  jmp main
  jmp service0
main:
  lda #0
  sta state
  sta frame
@loop:
  lda frame
@wait:
  cmp frame
  beq @wait
  jsr run_state
  jsr check_all
  sta $0300
  lda #1
  ldx #1
  jsr far_call
  lda #0
  ldx #1
  jsr far_call
  jmp @loop

; The state table holds words, and state is already a word offset.
run_state:
  ldx state
  lda states, x
  sta vec
  lda states+1, x
  sta vec+1
  jmp (vec)
st_title:
  lda #2
  sta state
  rts
st_play:
  inc results
  lda results
  cmp #60
  bcc :+
  lda #4
  sta state
: rts
st_over:
  lda #0
  sta state
  sta results
  rts

service0:
  lda $4016
  and #1
  sta results+1
  rts

; Counts the results that are not what they should be: a long run of
; branches before the return.
check_all:
  lda #0
  sta temp
.repeat 104, I
  lda results+I+2
  cmp #<(I * 37 + 5)
  beq :+
  inc temp
:
.endrep
  lda temp
  rts

.segment "BANK0DATA"
states:
  .word st_title, st_play, st_over
banner:
  .byte "AXROM BANK ZERO", 0

.segment "CODESTUB0"
  stub
.segment "VECTORS0"
  .word nmi, reset, irq

.segment "BANK1CODE"
  jmp bank1_init
  jmp service1
bank1_init:
  lda #0
  sta frame
  jmp bank1_init

; A: 0 or 1, which service.
service1:
  asl a
  jsr jump_even
  .word play_music, draw_hud

; A: an offset into the words that follow the call, even already.
jump_even:
  tay
  iny
  pla
  sta ptr
  pla
  sta ptr+1
  lda (ptr), y
  sta vec
  iny
  lda (ptr), y
  sta vec+1
  jmp (vec)

play_music:
  ldx frame
  lda notes, x
  sta $4002
  txa
  and #3
  jsr pick_channel
  .byte 0, 4, 8, 12
  rts

; A: 0-3, the index of one byte among those after the call; returns it in A
; and returns past them.
pick_channel:
  tay
  iny
  pla
  sta ptr
  pla
  sta ptr+1
  lda (ptr), y
  tax
  lda ptr
  clc
  adc #4
  tay
  lda ptr+1
  adc #0
  pha
  tya
  pha
  txa
  rts

draw_hud:
  lda frame
  and #3
  tax
  lda hud_lo, x
  sta vec
  lda hud_hi, x
  sta vec+1
  jsr hud_call
  lda frame
  lsr a
  and #6
  tax
  lda hud_rts+1, x
  pha
  lda hud_rts, x
  pha
  rts
hud_call:
  jmp (vec)
hud_score:
  ldx #0
: lda score_text, x
  beq :+
  sta $2007
  inx
  bne :-
: rts
hud_lives:
  lda #3
  sta $2007
  rts
hud_time:
  lda frame
  sta $2007
  rts
hud_blank:
  lda #0
  sta $2007
  rts
fx_shake:
  lda frame
  and #3
  sta $2005
  rts
fx_flash:
  lda #$1F
  sta $2001
  rts
fx_none:
  rts
fx_dim:
  lda #$0E
  sta $2001
  rts

.segment "BANK1DATA"
notes:
  .byte $F0, $E2, $D6, $CA, $BE, $B4, $AA, $A0
hud_lo:
  .byte <hud_score, <hud_lives, <hud_time, <hud_blank
hud_hi:
  .byte >hud_score, >hud_lives, >hud_time, >hud_blank
hud_rts:
  .word fx_shake-1, fx_flash-1, fx_none-1, fx_dim-1
score_text:
  .byte "SCORE", 0

.segment "CODESTUB1"
.scope copy
  stub
.endscope
.segment "VECTORS1"
  .word copy::nmi, copy::reset, copy::irq
