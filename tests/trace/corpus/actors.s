; Actors and game states: dispatch tables without bound checks followed by
; tables of data pointers, actor records mixing a routine and its sprite
; data, and messages in the game's own character set printed inline.
.segment "HEADER"
  .byte "NES", $1A, 2, 1, $00, $00, 0,0,0,0,0,0,0,0

.segment "ZEROPAGE"
ptr:      .res 2
vec:      .res 2
state:    .res 1
actor:    .res 1
frame:    .res 1
tmp:      .res 1
xpos:     .res 8

.segment "CODE"
reset:
  sei
  cld
  ldx #$FF
  txs
  inx
  stx $2000
  stx $2001
  stx state
: bit $2002
  bpl :-
  jsr print
  .byte $11, $0E, $15, $15, $18, $80, $20, $18, $1B, $15, $0D, $FF
  jsr print
  .byte $90, $91, $92, $A0, $4C, $60, $6C, $20, $FF
  lda #$80
  sta $2000
main:
  lda frame
: cmp frame
  beq :-
  jsr run_state
  jsr run_actors
  jmp main

; The state routines, entered through RTS with their address minus one.
run_state:
  lda state
  asl a
  tax
  lda state_table+1,x
  pha
  lda state_table,x
  pha
  rts

st_title:
  lda frame
  and #$7F
  bne :+
  inc state
: rts
st_play:
  ldx state
  lda message_table-2,x
  sta ptr
  lda message_table-1,x
  sta ptr+1
  jsr print_ptr
  inc state
  rts
st_over:
  lda #0
  sta state
  rts

; Prints the bytes after the call up to FF.
print:
  pla
  sta ptr
  pla
  sta ptr+1
  ldy #1
: lda (ptr),y
  cmp #$FF
  beq :+
  sta $2007
  iny
  bne :-
: tya
  clc
  adc ptr
  tax
  lda ptr+1
  adc #0
  pha
  txa
  pha
  rts

; Prints the message at ptr up to FF.
print_ptr:
  ldy #0
: lda (ptr),y
  cmp #$FF
  beq :+
  sta $2007
  iny
  bne :-
: rts

; Runs each actor's routine through its record: routine, sprite data.
run_actors:
  ldx #0
@each:
  stx actor
  txa
  asl a
  asl a
  tay
  lda actor_records,y
  sta vec
  lda actor_records+1,y
  sta vec+1
  lda actor_records+2,y
  sta ptr
  lda actor_records+3,y
  sta ptr+1
  jsr @call
  ldx actor
  inx
  cpx #4
  bne @each
  rts
@call:
  jmp (vec)

act_walker:
  ldx actor
  inc xpos,x
  jmp draw_actor
act_jumper:
  ldx actor
  dec xpos,x
  jmp draw_actor
act_still:
  rts
draw_actor:
  ldy #0
: lda (ptr),y
  cmp #$80
  beq :+
  sta $0200,y
  iny
  bne :-
: rts


state_table:
  .word st_title-1, st_play-1, st_over-1
message_table:
  .word msg_hello, msg_over, msg_score, msg_bonus
actor_records:
  .word act_walker, spr_walker
  .word act_jumper, spr_jumper
  .word act_still,  spr_still
  .word act_walker, spr_walker
; Messages right after the tables: character codes 00-7F and 80-FF.
msg_hello: .byte $11, $0E, $15, $15, $18, $20, $4C, $60, $FF
msg_over:  .byte $A9, $8D, $20, $4C, $60, $6C, $85, $FF
msg_score: .byte $1C, $0C, $18, $1B, $0E, $24, $00, $00, $00, $FF
msg_bonus: .byte $8A, $9A, $AA, $BA, $CA, $DA, $EA, $FA, $FF

.segment "RODATA"
; Sprites: y, tile, attributes, x; 80 ends a sprite.
spr_walker:
  .byte $20, $4C, $00, $60, $20, $4D, $00, $68, $28, $6C, $00, $60, $28, $6D, $00, $68, $80
spr_jumper:
  .byte $A9, $20, $01, $8D, $B1, $21, $01, $85, $80
spr_still:
  .byte $60, $60, $02, $60, $80
  .repeat 120, I
  .byte $20, <(st_title + I), >(st_title + I), $60
  .endrepeat

.segment "FIXED"
nmi:
  inc frame
irq:
  rti

.segment "VECTORS"
  .word nmi, reset, irq
