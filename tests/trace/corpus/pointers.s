; A game run as a state machine whose state is the address of its next
; handler: each handler stores its successor's address into a pointer from
; immediates, in whichever order and through whichever register suits it
; (loads kept apart from their stores, a call between the two halves), and
; the main loop jumps through that pointer after waiting for the frame.
; A second pointer in RAM above zero page works the same way for the sound.
; The handlers use unofficial opcodes, so that only a path from sure code
; may take them for code: nothing but the pointer leads there.
.setcpu "6502X"
.segment "HEADER"
  .byte "NES", $1A, 2, 1, $00, $00
  .res 8, 0

.segment "ZEROPAGE"
next:   .res 2
frame:  .res 1
timer:  .res 1
score:  .res 1
pad:    .res 1

.segment "BSS"
sound:  .res 2
volume: .res 1

.segment "CODE"
reset:
  sei
  cld
  ldx #$FF
  txs
  inx
  stx $2000
  stx $2001
  lda #<snd_quiet
  ldx #>snd_quiet
  sta sound
  stx sound+1
  lda #<st_title
  sta next
  lda #>st_title
  sta next+1
  lda #$80
  sta $2000
  jmp wait

wait:
  lda frame
wait_loop:
  cmp frame
  beq wait_loop
  jsr read_pad
  jmp (next)

read_pad:
  lda #1
  sta $4016
  lsr a
  sta $4016
  ldx #8
pad_loop:
  lda $4016
  lsr a
  rol pad
  dex
  bne pad_loop
  rts

st_title:
  lax pad
  and #$10
  beq title_stay
  ldx #<st_play
  ldy #>st_play
  stx next
  sty next+1
  lda #<snd_start
  sta sound
  lda #>snd_start
  sta sound+1
  lda #0
  sta score
title_stay:
  jmp wait

st_play:
  lda #0
  isc score
  lda score
  cmp #200
  bcc play_stay
  lda #<st_over
  sta next
  jsr clear_screen
  lda #>st_over
  sta next+1
play_stay:
  jmp wait

st_over:
  lda #0
  dcp timer
  bne over_stay
  lda #>st_title
  sta next+1
  lda #<st_title
  sta next
  ldy #<snd_quiet
  ldx #>snd_quiet
  sty sound
  stx sound+1
over_stay:
  jmp wait

clear_screen:
  lda #$20
  sta $2006
  lda #0
  sta $2006
  ldx #0
clear_loop:
  sta $2007
  inx
  bne clear_loop
  rts

nmi:
  pha
  txa
  pha
  tya
  pha
  inc frame
  jsr play_sound
  pla
  tay
  pla
  tax
  pla
  rti

play_sound:
  jmp (sound)

snd_quiet:
  anc #0
  sta $4015
  rts

snd_start:
  lda #$0F
  sax $4015
  inc volume
  lda volume
  cmp #16
  bcc start_on
  lda #<snd_quiet
  sta sound
  lda #>snd_quiet
  sta sound+1
start_on:
  lda volume
  ora #$30
  sta $4000
  rts

irq:
  rti

.segment "RODATA"
palette:
  .byte $0F, $30, $16, $27, $0F, $21, $11, $01
  .byte $0F, $29, $19, $09, $0F, $17, $07, $27

.segment "VECTORS"
  .word nmi, reset, irq
