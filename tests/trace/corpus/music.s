; A sound driver: songs are byte streams of notes and commands read through
; pointers in zero page; commands are dispatched through a table of handlers.
.segment "HEADER"
  .byte "NES", $1A, 2, 1, $00, $00, 0,0,0,0,0,0,0,0

.segment "ZEROPAGE"
stream:   .res 2
vec:      .res 2
song:     .res 1
wait:     .res 1
note:     .res 1
frame:    .res 1
loopcnt:  .res 1

.segment "BSS"
hooks:    .res 16

.segment "CODE"
reset:
  sei
  cld
  ldx #$FF
  txs
  inx
  stx $2000
  stx $2001
  ; the settings block: two hooks, then the default volumes and pointers
  ldx #15
: lda settings,x
  sta hooks,x
  dex
  bpl :-
  lda #$0F
  sta $4015
  lda #0
  jsr start_song
  lda #$80
  sta $2000
forever:
  jmp forever

; Starts song A: its stream pointer is stored minus one, read after INY.
start_song:
  asl a
  tax
  lda song_table,x
  sta stream
  lda song_table+1,x
  sta stream+1
  lda #1
  sta wait
  rts

call_hook:
  jmp (hooks)

; One frame of the driver.
play:
  dec wait
  bne @done
@next:
  ldy #0
  inc stream
  bne :+
  inc stream+1
: lda (stream),y
  bmi @command
  sta note
  tax
  lda period_lo,x
  sta $4002
  lda period_hi,x
  sta $4003
  lda #8
  sta wait
@done:
  rts
@command:
  and #$07
  asl a
  tax
  lda commands,x
  sta vec
  lda commands+1,x
  sta vec+1
  jsr jump_vec
  jmp @next
jump_vec:
  jmp (vec)

; Commands: each reads its operand bytes from the stream.
cmd_volume:
  jsr operand
  ora #$30
  sta $4000
  rts
cmd_jump:
  jsr operand
  pha
  jsr operand
  sta stream+1
  pla
  sta stream
  rts
cmd_loop:
  dec loopcnt
  bne cmd_jump
  jsr operand
  jmp operand
cmd_count:
  jsr operand
  sta loopcnt
  rts
cmd_end:
  lda #0
  sta $4015
  pla
  pla
  rts
operand:
  ldy #0
  inc stream
  bne :+
  inc stream+1
: lda (stream),y
  rts
default_hook:
  lda frame
  and #$0F
  sta $4008
second_hook:
  rts

; Handlers of the commands 80-87; the table just after the code.
commands:
  .word cmd_volume, cmd_jump, cmd_loop, cmd_count, cmd_end
  .word cmd_volume, cmd_volume, cmd_end
; Song streams, each stored one byte early.
song_table:
  .word song0-1, song1-1, song2-1, sfx0-1
; The settings block copied to RAM at start.
settings:
  .word default_hook, second_hook
  .word song0, song1, song2, sfx0
  .byte $20, $4C, $60, $6C

.segment "RODATA"
period_lo:
  .repeat 64, I
  .byte <(1789773 / (16 * (110 + I * 12)) - 1)
  .endrepeat
period_hi:
  .repeat 64, I
  .byte >(1789773 / (16 * (110 + I * 12)) - 1)
  .endrepeat
; The streams: notes 00-7F, commands 80-87 with operands.
song0:
  .byte $80, $0F, $20, $22, $24, $25, $27, $29, $2B, $2C
  .byte $83, $04
song0_loop:
  .byte $20, $4C, $20, $60, $20, $6C, $20, $00
  .byte $82, <song0_loop, >song0_loop
  .byte $81, <song0, >song0
song1:
  .repeat 48, I
  .byte (I * 5) & $3F, $80, (I & $0F)
  .endrepeat
  .byte $81, <song1, >song1
song2:
  .byte $4C, $00, $80, $20, $00, $C0, $60, $6C, $00, $80, $A9, $00, $8D, $00, $20
  .repeat 32, I
  .byte $20, <(play + I), >(play + I)
  .endrepeat
  .byte $84
sfx0:
  .byte $85, $0C, $3C, $38, $34, $30, $2C, $28, $24, $20, $84
  .res 200, $60
  .repeat 100, I
  .byte $4C, <(reset + I * 3), >(reset + I * 3)
  .endrepeat

.segment "FIXED"
nmi:
  pha
  txa
  pha
  tya
  pha
  inc frame
  jsr play
  jsr call_hook
  pla
  tay
  pla
  tax
  pla
irq:
  rti

.segment "VECTORS"
  .word nmi, reset, irq
