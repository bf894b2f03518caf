; MMC3 switching 8 KiB at 8000 and at A000, with code in both windows: the
; bank at 8000 calls the one at A000 and jumps through its table, and the
; fixed banks at C000 and E000 call into either window.
.segment "HEADER"
  .byte "NES", $1A, 4, 0, $40, $00
  .res 8, 0

.segment "ZEROPAGE"
frame:  .res 1
ptr:    .res 2
speed:  .res 1
tmp:    .res 1

.segment "B0CODE"
; World update: moves, then lets the A000 bank draw.
world_update:
  lda frame
  and #7
  tax
  lda wave,x
  sta speed
  jsr draw_world
  rts

.segment "B1CODE"
draw_world:
  lda speed
  clc
  adc #$20
  sta $2006
  lda #0
  sta $2006
  ldx #0
@row:
  lda tiles,x
  sta $2007
  inx
  cpx #8
  bne @row
  rts
.segment "B1DATA"
tiles:
  .byte $A9, $00, $8D, $07, $20, $60, $EA, $EA
wave:
  .byte 0, 1, 2, 3, 3, 2, 1, 0

.segment "B2CODE"
; Enemy think: runs handler X from the table in the A000 bank.
enemy_think:
  lda frame
  and #3
  asl a
  tax
  lda handlers,x
  sta ptr
  lda handlers+1,x
  sta ptr+1
  jmp (ptr)
enemy_walk:
  inc $0300
  rts
enemy_jump:
  dec $0301
  rts

.segment "B3DATA"
handlers:
  .addr enemy_walk, enemy_jump, enemy_idle, enemy_fire
.segment "B3CODE"
enemy_idle:
  lda #0
  sta $0302
  rts
enemy_fire:
  lda #$80
  sta $0303
  jmp enemy_walk

.segment "B4DATA"
scores:
  .byte $10, $20, $30, $40, $50, $60, $70, $80

.segment "B5CODE"
; Score entry: adds the score for A from the 8000 bank's table.
add_score:
  tax
  lda scores,x
  clc
  adc $0310
  sta $0310
  rts

.segment "B6CODE"
; Maps banks A and A + 1 at 8000 and A000.
map_pair:
  ldx #6
  stx $8000
  sta $8001
  inx
  stx $8000
  clc
  adc #1
  sta $8001
  rts

game_step:
  lda #0
  jsr map_pair
  jsr world_update
  lda #2
  jsr map_pair
  jsr enemy_think
  lda #4
  jsr map_pair
  lda frame
  and #7
  jsr add_score
  ; the A000 bank's drawing with data banks at 8000
  lda #4
  jsr map_pair
  ldx #7
  stx $8000
  lda #1
  sta $8001
  jsr draw_world
  rts

.segment "B6DATA"
  .byte $FF, $00

.segment "B7CODE"
reset:
  sei
  cld
  ldx #$FF
  txs
  lda #0
  sta $E000
  lda #$80
  sta $2000
@loop:
  lda frame
@wait:
  cmp frame
  beq @wait
  jsr game_step
  jmp @loop

nmi:
  inc frame
irq:
  rti

.segment "VECTORS"
  .addr nmi, reset, irq
