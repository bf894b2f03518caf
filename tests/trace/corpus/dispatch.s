; Dispatches in less common shapes: a return through a split table of the
; handlers' own addresses, made one less on the way; pointers loaded by Y
; and by X registers; and a table of tables of handlers, picked by the mode
; and then by the state, read through a pointer.
.segment "HEADER"
  .byte "NES", $1A, 2, 1, $00, $00
  .res 8, 0

.segment "ZEROPAGE"
ptr:    .res 2
tp:     .res 2
mode:   .res 1
state:  .res 1
frame:  .res 1
tmp:    .res 1

.segment "CODE"
reset:
  sei
  cld
  ldx #$FF
  txs
  lda #$80
  sta $2000
main:
  lda frame
@wait:
  cmp frame
  beq @wait
  ldx mode
  jsr by_return
  ldx state
  jsr by_y_pointer
  ldy state
  jsr by_x_pointer
  jsr by_tables
  jmp main

; Handler X by a return: the table holds the handlers' addresses.
by_return:
  lda sound_lo,x
  sec
  sbc #1
  tay
  lda sound_hi,x
  sbc #0
  pha
  tya
  pha
  rts

sound_lo:
  .byte <snd_off, <snd_beep, <snd_buzz
sound_hi:
  .byte >snd_off, >snd_beep, >snd_buzz

snd_off:
  lda #0
  sta $4015
  rts
snd_beep:
  lda #$01
  sta $4015
  lda #$8F
  sta $4000
  rts
snd_buzz:
  lda #$08
  sta $4015
  lda #$3F
  sta $400C
  rts

; Handler X through a pointer set with Y.
by_y_pointer:
  ldy draw_lo,x
  sty ptr
  ldy draw_hi,x
  sty ptr+1
  jmp (ptr)

draw_lo:
  .byte <draw_a, <draw_b
draw_hi:
  .byte >draw_a, >draw_b

draw_a:
  lda #$20
  sta $2006
  rts
draw_b:
  lda #$24
  sta $2006
  rts

; Handler Y through a pointer set with X.
by_x_pointer:
  ldx move_lo,y
  stx ptr
  ldx move_hi,y
  stx ptr+1
  jmp (ptr)

move_lo:
  .byte <move_left, <move_right
move_hi:
  .byte >move_left, >move_right

move_left:
  dec $0300
  rts
move_right:
  inc $0300
  rts

; The mode picks a table of handlers, the state one of them.
by_tables:
  ldx mode
  lda mode_tables_lo,x
  sta tp
  lda mode_tables_hi,x
  sta tp+1
  lda state
  asl a
  tay
  lda (tp),y
  sta ptr
  iny
  lda (tp),y
  sta ptr+1
  jmp (ptr)

mode_tables_lo:
  .byte <title_states, <game_states
mode_tables_hi:
  .byte >title_states, >game_states

title_states:
  .addr title_fade, title_wait
game_states:
  .addr game_run, game_die, game_win

title_fade:
  lda frame
  sta $2001
  rts
title_wait:
  lda $4016
  and #1
  sta mode
  rts
game_run:
  inc tmp
  rts
game_die:
  lda #0
  sta mode
  rts
game_win:
  lda #2
  sta state
  rts

nmi:
  inc frame
irq:
  rti

.segment "VECTORS"
  .addr nmi, reset, irq
